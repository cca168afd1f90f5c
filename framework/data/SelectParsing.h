#pragma once
// Reading the program's select statements: the columns beyond the first select item and the join
// part of the body's FROM clause, and the whole-word look-up used on field lists.
#include <string>

// "SELECT A.*, B.NAME AS BNAME FROM A ..." -> "B.NAME BNAME" (upper case, " AS " dropped).
std::string HeaderExtraColumnsOf(const std::string& statement);

struct TBodySelectParts {
    std::string ExtraColumns;  // as for the header, the select list ending at the first FROM outside brackets
    std::string JoinClause;    // " " + the statement's own text from LEFT/RIGHT/INNER up to WHERE; "" when none
};
TBodySelectParts ParseBodySelectText(const std::string& statement);

// 1-based position of name in text as a whole word (neighbours CR, LF, space, ",", ":" or ";" or
// the text's ends); 0 when it does not occur so. Case-sensitive, as the lists are written.
std::size_t WholeWordPos(const std::string& name, const std::string& text);
