#include "framework/data/SelectParsing.h"

#include "toolkit/rtl/SysUtils.h"

namespace {

std::string ReplaceEvery(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The select list with its first item dropped, trimmed, " AS " read as a blank.
std::string ExtraColumns(const std::string& selectList) {
    std::size_t comma = selectList.find(',');
    std::string rest = comma == std::string::npos ? "" : selectList.substr(comma + 1);
    return ReplaceEvery(Trim(rest), " AS ", " ");
}

bool IsWordBoundary(char c) { return c == '\r' || c == '\n' || c == ' ' || c == ',' || c == ':' || c == ';'; }

}  // namespace

std::string HeaderExtraColumnsOf(const std::string& statement) {
    // Only the select list counts: a comma further on (in a WHERE list) is not a second column.
    std::string upper = UpperCase(statement);
    return ExtraColumns(upper.substr(0, upper.find("FROM")));
}

TBodySelectParts ParseBodySelectText(const std::string& statement) {
    TBodySelectParts parts;
    const std::string upper = UpperCase(statement);
    std::size_t from = std::string::npos;
    int depth = 0;
    for (std::size_t i = 0; i < upper.size(); ++i) {
        if (upper[i] == '(') ++depth;
        else if (upper[i] == ')') --depth;
        else if (depth == 0 && upper.compare(i, 4, "FROM") == 0) {
            from = i;
            break;
        }
    }
    if (from == std::string::npos) from = upper.find("FROM");
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
