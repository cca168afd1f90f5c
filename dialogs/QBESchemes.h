#pragma once
// The stored text of a saved query scheme: what the query dialog held on the page it was saved on.
//   grid page (0):      row limit, \7, then per filled row: field, CR LF, operator, CR LF, value, CR LF,
//                       logic, \8
//   advanced/detail (1, 2): row limit, \7, Memo1, \3, sort list, \3, "1"/"0" detail filter, \3, Memo2;
//                       the sort list is per item: its text, \8, "1" descending / "0", TAB
// Any other page stores an empty text.
#include <string>
#include <vector>

struct TQBESchemeRow {
    std::string Field, Operator, Value, Logic;  // the grid's cells as shown
};

struct TQBESortEntry {
    std::string Text;  // the sort list item (label, tab, token)
    bool Descending = false;
};

struct TQBEScheme {
    int Page = 0;
    std::string RowLimit;
    std::vector<TQBESchemeRow> Rows;  // page 0
    std::string Memo1, Memo2;         // pages 1 and 2
    std::vector<TQBESortEntry> Sort;
    bool DetailFilter = false;
};

// A row with neither a field nor a value is not stored.
std::string QBESchemeText(const TQBEScheme& scheme);
// The scheme of a stored text. Pieces come back as stored (the caller converts their character set);
// grid rows are trimmed of the blanks around them.
TQBEScheme ParseQBEScheme(int page, const std::string& text);
