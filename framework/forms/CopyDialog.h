#pragma once
// The document copy as the master-detail window runs it: the copy dialog asks for the key of the
// source document, has the window read it (LoadCopySource), then asks for the key of the new
// document, typed straight into the new header. The window then copies the values it read.
//
// The dialog comes from the runner the dialogs layer installs (SetCopyDialogRunner).
#include <functional>
#include <string>
#include <vector>

#include "toolkit/rtl/Variant.h"

class TClientDataSet;
class TCustomForm;
class TDataSource;

// What the source document gave: one value per header field, one array of field values per body
// row, and one extra entry per body row (empty unless a program fills it).
struct TCopyData {
    Variant HeadValues;
    Variant BodyRows;
    Variant RowExtras;
};

// The window a copy dialog belongs to.
class ICopySource {
public:
    virtual ~ICopySource() = default;
    // Reads the document of the key values (in key order) and fills the data; false, after telling
    // the user why, when there is none.
    virtual bool LoadCopySource(const std::vector<std::string>& keyValues, TCopyData& data) = 0;
};

// Shows the copy dialog for the dataset's comma-separated key fields (the destination edits are bound
// to the data source); true when it closed with OK, data then holds what the source gave.
using TCopyDialogRunner = std::function<bool(TCustomForm* owner, TClientDataSet* dataSet, TDataSource* source, bool allowEmpty,
                                             const std::string& keyFields, TCopyData& data)>;
void SetCopyDialogRunner(TCopyDialogRunner runner);
// The installed runner; raises EInvalidOperation when none is installed.
bool RunCopyDialog(TCustomForm* owner, TClientDataSet* dataSet, TDataSource* source, bool allowEmpty,
                   const std::string& keyFields, TCopyData& data);
