#pragma once
// The texts the query dialog builds: the condition of one grid row and of the whole grid, a line of
// the advanced and detail pages, the detail filter's counting sub-query and the sort order.
//
// Every value the user types ends up as one literal: texts are quoted with inner quotes doubled,
// numbers are written only when they read as numbers (else quoted), and the wildcards of a value
// used in a like pattern are escaped, so a value cannot change the statement around it.
#include <functional>
#include <string>
#include <vector>

#include "dialogs/QBERecordInfo.h"

class TStrings;

// The operator table: label, tab, token per line ("等于\t=" ...), in the order of the grid's pick list;
// the advanced pages use the first nine by position.
extern const char* const kQBEOperatorLines;

// The token of an operator label; "" when the table has no such label.
std::string QBEOperatorToken(const TStrings& operators, const std::string& label);

// Dates typed into the grid: the system date order and separator, the data module's date and
// year-month masks and its year-month conversion (typed text -> stored "YYYYMM").
struct TQBEDateRules {
    int DateOrder = 1;
    std::string DateSeparator = "/";
    std::string DateMask;
    std::string YearMonthMask;
    std::function<std::string(const std::string&)> YearMonth;
};

// One grid row as its cells read.
struct TQBEGridRow {
    std::string Field;
    std::string Operator;
    std::string Value;
    std::string Logic;
};

// The condition of one grid row followed by a blank and its logic word ("T.MC001 = 'A' AND"); empty
// when the row states no test.
std::string QBERowCondition(const TQBEGridRow& row, const TRecordInfoList& fields, const TStrings& operators,
                            const TQBEDateRules& dates);
// The rows' texts joined: each bracketed before its logic word, the last logic word dropped.
std::string QBEGridCondition(const std::vector<std::string>& rowTexts);

// A date typed as three parts cut at the separator, as "YYYYMMDD" by the date order code (1 y-m-d,
// 2 m-d-y, 3 d-m-y, 4 and 5 y-m-d with the year + 1911); "" on any failure.
std::string ConvertDate(const std::string& value, int code, const std::string& separator);
// Longer than five characters, characters 5 and 6 a month from 1 to 12.
bool IsValidYearMonth(const std::string& text);
// The 1-based position of word in list where it stands as a word of the list (bounded by the ends,
// line breaks, blanks or commas), judged at its first occurrence; 0 when it does not.
int IsWordInList(const std::string& word, const std::string& list);

// A value as a like pattern literal: prefix and suffix are "%" or ""; the value's own wildcards are
// escaped (then the literal ends with ESCAPE '\').
std::string QBELikeLiteral(const std::string& prefix, const std::string& value, const std::string& suffix);

// One condition of the advanced or detail page.
struct TQBEAdvancedInput {
    std::string Table;       // the page's table name
    std::string FieldName;   // the field chosen
    std::string Token;       // its column or expression
    std::string FieldExprs;  // the page's field-expression list
    int OperatorIndex = 0;   // position in the operator box (0 to 8)
    std::string Value;       // as typed
    TFieldType DataType = ftString;
    int DatabaseKind = 0;  // the server's SQLTYPE
};
// "(T.F = 'v')" and its kin; "" when the input states no test.
std::string QBEAdvancedCondition(const TQBEAdvancedInput& input);
// The editor line for a condition: the first as it is, later ones after two blanks and the logic word.
std::string QBEAdvancedLine(const std::string& condition, bool first, const std::string& logic);

// The detail filter: master keys matched to detail keys in a counting sub-query over the detail table.
struct TQBEDetailSource {
    std::string MasterTable;
    std::string MasterKeyFields;  // comma-separated
    std::string DetailTable;
    std::string DetailKeyFields;  // comma-separated, in the order of the master's
    std::string DatabasePrefix;   // "DEMO.." or ""
    std::string Suffix;           // written right after the detail alias
};
// The master condition and the sub-query "(select count(*) FROM ... ) > 0" joined; the master
// condition alone when the detail condition is blank.
std::string QBEDetailCondition(const std::string& masterCondition, const std::string& detailCondition,
                               const TQBEDetailSource& source);

// One chosen sort field: the item's token and its check mark (descending).
struct TQBESortItem {
    std::string Token;
    bool Descending = false;
};
// "T.F1 asc,T.F2 desc"; tokens that are words of the field-expression list stay unqualified.
std::string QBEOrderText(const std::vector<TQBESortItem>& items, const std::string& table, const std::string& fieldExprs);
