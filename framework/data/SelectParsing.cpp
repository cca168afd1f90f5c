#include "framework/data/SelectParsing.h"

#include "toolkit/rtl/SysUtils.h"

namespace {

std::string ReplaceEvery(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The first occurrence of the text outside parentheses, from the position on; npos when none.
std::size_t FindAtDepthZero(const std::string& upper, const std::string& text, std::size_t from = 0) {
    int depth = 0;
    for (std::size_t i = from; i < upper.size(); ++i) {
        if (upper[i] == '(')
            ++depth;
        else if (upper[i] == ')')
            --depth;
        else if (depth == 0 && upper.compare(i, text.size(), text) == 0)
            return i;
    }
    return std::string::npos;
}

// Where the select list ends: the first FROM outside parentheses, else the first FROM anywhere.
std::size_t SelectListEnd(const std::string& upper) {
    std::size_t from = FindAtDepthZero(upper, "FROM");
    return from == std::string::npos ? upper.find("FROM") : from;
}

// The select list with its first item dropped, trimmed, " AS " read as a blank. A comma inside
// the first item's parentheses (a sub-query, a function's arguments) does not end it.
std::string ExtraColumns(const std::string& selectList) {
    std::size_t comma = FindAtDepthZero(selectList, ",");
    std::string rest = comma == std::string::npos ? "" : selectList.substr(comma + 1);
    return ReplaceEvery(Trim(rest), " AS ", " ");
}

bool IsWordBoundary(char c) { return c == '\r' || c == '\n' || c == ' ' || c == ',' || c == ':' || c == ';'; }

}  // namespace

std::string HeaderExtraColumnsOf(const std::string& statement) {
    // Only the select list counts: a FROM inside a first-item sub-query or a comma further on (in a
    // WHERE list) is not a column boundary.
    const std::string upper = UpperCase(statement);
    return ExtraColumns(upper.substr(0, SelectListEnd(upper)));
}

TBodySelectParts ParseBodySelectText(const std::string& statement) {
    TBodySelectParts parts;
    const std::string upper = UpperCase(statement);
    const std::size_t from = SelectListEnd(upper);
    if (from == std::string::npos) {
        parts.ExtraColumns = ExtraColumns(upper);
        return parts;
    }
    parts.ExtraColumns = ExtraColumns(upper.substr(0, from));

    std::size_t clauseStart = from + 4;
    std::size_t join = std::string::npos;
    for (const char* keyword : {"LEFT", "RIGHT", "INNER"}) {
        std::size_t at = upper.find(keyword, clauseStart);
        if (at != std::string::npos && (join == std::string::npos || at < join)) join = at;
    }
    if (join == std::string::npos) return parts;
    std::size_t where = upper.find("WHERE", join);
    std::size_t end = where == std::string::npos ? statement.size() : where;
    parts.JoinClause = " " + statement.substr(join, end - join);
    return parts;
}

std::size_t WholeWordPos(const std::string& name, const std::string& text) {
    if (name.empty()) return 0;
    std::string masked = text;
    for (std::size_t at = masked.find(name); at != std::string::npos; at = masked.find(name)) {
        bool before = at == 0 || IsWordBoundary(masked[at - 1]);
        std::size_t after = at + name.size();
        bool behind = after >= masked.size() || IsWordBoundary(masked[after]);
        if (before && behind) return at + 1;
        // A part of a longer word: mask it and look again.
        masked.replace(at, name.size(), std::string(name.size(), '\x01'));
    }
    return 0;
}
