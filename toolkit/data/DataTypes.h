#pragma once
// Enumerations and messages shared by fields, datasets, data sources and the provider protocol.
#include <cstdint>
#include <functional>
#include <set>
#include <string>

#include "toolkit/rtl/Exception.h"

class TDataSet;
class TField;

enum TFieldType {
    ftUnknown,
    ftString,
    ftSmallint,
    ftInteger,
    ftWord,
    ftLargeint,
    ftBoolean,
    ftFloat,
    ftCurrency,
    ftBCD,
    ftDate,
    ftDateTime,
    ftMemo,
    ftBlob,
    ftDataSet,
};

// Name of a field type as it travels in packets ("String", "Integer", ...); the reverse lookup gives
// ftUnknown for a name it does not know.
const char* FieldTypeName(TFieldType type);
TFieldType FieldTypeFromName(const std::string& name);
bool IsNumericFieldType(TFieldType type);

enum TFieldKind {
    fkData,
    fkCalculated,
    fkInternalCalc,
    fkLookup
};

enum TDataSetState {
    dsInactive,
    dsBrowse,
    dsEdit,
    dsInsert,
    dsSetKey,
    dsCalcFields
};

enum TUpdateStatus {
    usUnmodified,
    usModified,
    usInserted,
    usDeleted
};
using TUpdateStatusSet = std::set<TUpdateStatus>;

enum TUpdateKind {
    ukModify,
    ukInsert,
    ukDelete
};

enum TReconcileAction {
    raSkip,
    raAbort,
    raMerge,
    raCorrect,
    raCancel,
    raRefresh
};

enum TDataAction {
    daFail,
    daAbort,
    daRetry
};

enum TAlignment {
    taLeftJustify,
    taRightJustify,
    taCenter
};

enum TLocateOption {
    loCaseInsensitive,
    loPartialKey
};
using TLocateOptions = std::set<TLocateOption>;

enum TIndexOption {
    ixPrimary,
    ixUnique,
    ixDescending,
    ixCaseInsensitive
};
using TIndexOptions = std::set<TIndexOption>;

// What a dataset tells its data sources (and they their links).
enum TDataEvent {
    deFieldChange,
    deRecordChange,
    deDataSetChange,
    deDataSetScroll,
    deLayoutChange,
    deUpdateRecord,
    deUpdateState,
    deCheckBrowseMode,
    deFocusControl,
};

// Event types. They are plain std::function members: owners save, replace and restore them freely.
using TDataSetNotifyEvent = std::function<void(TDataSet* DataSet)>;
using TDataSetErrorEvent = std::function<void(TDataSet* DataSet, EDatabaseError& E, TDataAction& Action)>;
using TFilterRecordEvent = std::function<void(TDataSet* DataSet, bool& Accept)>;
using TFieldNotifyEvent = std::function<void(TField* Sender)>;
using TFieldGetTextEvent = std::function<void(TField* Sender, std::string& Text, bool DisplayText)>;
using TFieldSetTextEvent = std::function<void(TField* Sender, const std::string& Text)>;

// Raises EDatabaseError with the message; the helpers below keep the classic wording in one place.
[[noreturn]] void DatabaseError(const std::string& message);
namespace DataMessages {
std::string FieldReadOnly(const std::string& fieldName);    // "Field 'X' cannot be modified"
std::string FieldRequired(const std::string& displayName);  // "Field 'X' must have a value"
std::string FieldNotFound(const std::string& fieldName);    // "Field 'X' not found"
inline const char* NotEditing = "Dataset not in edit or insert mode";
inline const char* DataSetClosed = "Cannot perform this operation on a closed dataset";
inline const char* DataSetOpen = "Cannot perform this operation on an open dataset";
inline const char* DataSetReadOnly = "Cannot modify a read-only dataset";
inline const char* NoDataProvider = "Missing data provider or data packet";
inline const char* RecordNotFound = "Record not found";
inline const char* BookmarkNotFound = "Bookmark not found for dataset";
inline const char* ApplyBeforeRefresh = "Must apply updates before refreshing data";
inline const char* DataSetEmpty = "Cannot perform this operation on an empty dataset";
inline const char* NoFieldDefs = "Field definitions are missing";
inline const char* CircularDataLink = "Circular datalinks are not allowed";
std::string InvalidInteger(const std::string& text);  // "'x' is not a valid integer value"
std::string InvalidFloat(const std::string& text);    // "'x' is not a valid floating point value"
std::string InvalidDate(const std::string& text);     // "'x' is not a valid date and time"
std::string InvalidBoolean(const std::string& text);  // "'x' is not a valid boolean value"
std::string FieldRangeError(double value, const std::string& fieldName, double min, double max);
std::string IndexNotFound(const std::string& name);  // "Index 'X' not found"
}  // namespace DataMessages
