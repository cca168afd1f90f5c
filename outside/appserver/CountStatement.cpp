#include "outside/appserver/CountStatement.h"

#include <algorithm>
#include <set>

#include "outside/appserver/SqlTokens.h"

namespace {

using Tokens = std::vector<Token>;

std::string Wrapped(const std::string& select) { return "SELECT COUNT(*) FROM (" + select + ") AS tdef_rows"; }

bool AnyWord(const Token& t, std::initializer_list<const char*> words) {
    return std::any_of(words.begin(), words.end(), [&t](const char* w) { return IsWord(t, w); });
}

// The solid (not blank) tokens of the top level of [from, to), with their depth.
struct Solid {
    std::size_t at;
    int depth;
};

std::vector<Solid> SolidTokens(const Tokens& t, std::size_t from, std::size_t to) {
    std::vector<Solid> out;
    int depth = 0;
    for (std::size_t i = from; i < to; ++i) {
        if (IsBlank(t[i])) continue;
        if (IsPunct(t[i], ")")) --depth;
        out.push_back({i, depth});
        if (IsPunct(t[i], "(")) ++depth;
    }
    return out;
}

// One LEFT JOIN of the FROM clause: [begin, end) in the tokens, the joined table and the name the
// statement uses for it, and the columns of that name its ON clause sets equal to other names' columns.
struct LeftJoin {
    std::size_t begin = 0, end = 0;
    std::string table, alias;
    std::set<std::string> equated;
    bool plain = false;  // the ON clause is only "alias.column = other.column" terms joined by AND
};

// "name . column" at solid position k: the two names, upper case.
bool Qualified(const Tokens& t, const std::vector<Solid>& s, std::size_t k, std::string& name, std::string& column) {
    if (k + 2 >= s.size() || t[s[k].at].kind != Tok::Ident || !IsPunct(t[s[k + 1].at], ".") || t[s[k + 2].at].kind != Tok::Ident)
        return false;
    name = SqlUpper(t[s[k].at].text);
    column = SqlUpper(t[s[k + 2].at].text);
    return true;
}

LeftJoin ReadLeftJoin(const Tokens& t, const std::vector<Solid>& s, std::size_t first, std::size_t last) {
    LeftJoin j;
    j.begin = s[first].at;
    j.end = last < s.size() ? s[last].at : t.size();
    std::size_t k = first + 1;
    if (k < last && IsWord(t[s[k].at], "OUTER")) ++k;
    if (k >= last || !IsWord(t[s[k].at], "JOIN")) return j;
    if (++k >= last || t[s[k].at].kind != Tok::Ident) return j;
    j.table = SqlUpper(t[s[k].at].text);
    j.alias = j.table;
    if (++k < last && IsWord(t[s[k].at], "AS")) ++k;
    if (k < last && t[s[k].at].kind == Tok::Ident && !IsWord(t[s[k].at], "ON")) j.alias = SqlUpper(t[s[k++].at].text);
    if (k >= last || !IsWord(t[s[k].at], "ON")) return j;
    // Terms "a.x = b.y" joined by AND, nothing else.
    for (++k; k < last;) {
        std::string leftName, leftColumn, rightName, rightColumn;
        if (!Qualified(t, s, k, leftName, leftColumn) || k + 3 >= last || !IsPunct(t[s[k + 3].at], "=") ||
            !Qualified(t, s, k + 4, rightName, rightColumn) || k + 7 > last)
            return j;
        if (leftName == j.alias && rightName != j.alias)
            j.equated.insert(leftColumn);
        else if (rightName == j.alias && leftName != j.alias)
            j.equated.insert(rightColumn);
        else
            return j;
        k += 7;
        if (k < last) {
            if (!IsWord(t[s[k].at], "AND")) return j;
            ++k;
        }
    }
    j.plain = !j.equated.empty();
    return j;
}

// Whether the tokens of [from, to) name the alias ("alias.") or, unqualified, one of its columns.
bool Uses(const Tokens& t, std::size_t from, std::size_t to, const std::string& alias, const std::set<std::string>& columns) {
    for (std::size_t i = from; i < to; ++i) {
        if (t[i].kind != Tok::Ident && t[i].kind != Tok::Quoted) continue;
        const std::string name =
            SqlUpper(t[i].kind == Tok::Quoted && t[i].text.size() >= 2 ? t[i].text.substr(1, t[i].text.size() - 2) : t[i].text);
        const std::size_t next = NextSolid(t, i);
        const std::size_t before = PrevSolid(t, i);
        const bool qualifier = next != kNoToken && IsPunct(t[next], ".");
        const bool qualified = before != kNoToken && IsPunct(t[before], ".");
        if (qualifier && name == alias) return true;
        if (!qualifier && !qualified && columns.count(name)) return true;
    }
    return false;
}

}  // namespace

std::string CountStatement(const std::string& select, const TTableColumns& columnsOf) {
    const Tokens t = Tokenize(select);
    const std::vector<Solid> s = SolidTokens(t, 0, t.size());
    if (s.empty() || !IsWord(t[s[0].at], "SELECT") || s.back().depth != 0) return Wrapped(select);
    // The clauses at the top level; a statement that groups, limits, unites or aggregates is counted whole.
    std::size_t from = kNoToken, where = t.size();
    for (std::size_t k = 1; k < s.size(); ++k) {
        const Token& token = t[s[k].at];
        if (s[k].depth != 0) continue;
        if (AnyWord(token, {"GROUP", "HAVING", "LIMIT", "OFFSET", "UNION", "INTERSECT", "EXCEPT", "DISTINCT", "ORDER", "FETCH",
                            "TOP", "WINDOW"}))
            return Wrapped(select);
        if (from == kNoToken) {
            if (IsPunct(token, "?") ||
                (AnyWord(token, {"COUNT", "SUM", "MIN", "MAX", "AVG", "TOTAL", "GROUP_CONCAT", "STRING_AGG"}) &&
                 k + 1 < s.size() && IsPunct(t[s[k + 1].at], "(")))
                return Wrapped(select);
            if (IsWord(token, "FROM")) from = k;
        } else if (IsWord(token, "WHERE") && where == t.size()) {
            where = s[k].at;
        }
    }
    if (from == kNoToken) return Wrapped(select);

    // The FROM clause in pieces: the first table, then one piece per join.
    std::vector<std::size_t> starts;  // solid positions where a join begins
    std::size_t fromEnd = from + 1;
    while (fromEnd < s.size() && s[fromEnd].at < where) ++fromEnd;
    for (std::size_t k = from + 1; k < fromEnd; ++k) {
        if (s[k].depth != 0) continue;
        const Token& token = t[s[k].at];
        const bool afterJoinWord =
            k > 0 && AnyWord(t[s[k - 1].at], {"LEFT", "RIGHT", "FULL", "INNER", "CROSS", "NATURAL", "OUTER"});
        if (IsPunct(token, ",") || AnyWord(token, {"LEFT", "RIGHT", "FULL", "INNER", "CROSS", "NATURAL"}) ||
            (IsWord(token, "JOIN") && !afterJoinWord) || (IsWord(token, "OUTER") && !afterJoinWord))
            starts.push_back(k);
    }
    std::vector<LeftJoin> joins;
    for (std::size_t n = 0; n < starts.size(); ++n) {
        const std::size_t last = n + 1 < starts.size() ? starts[n + 1] : fromEnd;
        if (IsWord(t[s[starts[n]].at], "LEFT")) joins.push_back(ReadLeftJoin(t, s, starts[n], last));
    }

    // Leave out, last first, the joins that cannot change the count and that nothing else uses.
    std::vector<bool> dropped(joins.size(), false);
    for (std::size_t n = joins.size(); n-- > 0;) {
        const LeftJoin& j = joins[n];
        if (!j.plain) continue;
        const std::vector<SqlColumnInfo> columns = columnsOf(j.table);
        std::set<std::string> names;
        bool wholeKey = false;
        for (const SqlColumnInfo& c : columns) {
            names.insert(SqlUpper(c.name));
            if (c.keyPosition > 0) {
                wholeKey = true;
                if (!j.equated.count(SqlUpper(c.name))) {
                    wholeKey = false;
                    break;
                }
            }
        }
        if (!wholeKey) continue;
        bool used = Uses(t, where, t.size(), j.alias, names);
        // The first table and every join still kept (their ON clauses).
        used = used || Uses(t, s[from + 1].at, starts.empty() ? where : s[starts[0]].at, j.alias, {});
        for (std::size_t m = 0; m < joins.size() && !used; ++m)
            if (m != n && !dropped[m]) used = Uses(t, joins[m].begin, joins[m].end, j.alias, names);
        for (std::size_t k = 0; k < starts.size() && !used; ++k) {
            const std::size_t begin = s[starts[k]].at;
            const bool isLeft = std::any_of(joins.begin(), joins.end(), [begin](const LeftJoin& l) { return l.begin == begin; });
            if (!isLeft) used = Uses(t, begin, k + 1 < starts.size() ? s[starts[k + 1]].at : where, j.alias, names);
        }
        if (!used) dropped[n] = true;
    }
    if (std::none_of(dropped.begin(), dropped.end(), [](bool d) { return d; })) return Wrapped(select);

    std::string out = "SELECT COUNT(*) ";
    std::size_t i = s[from].at;
    for (std::size_t n = 0; n < joins.size(); ++n) {
        if (!dropped[n]) continue;
        for (; i < joins[n].begin; ++i) out += t[i].text;
        i = joins[n].end;
    }
    for (; i < t.size(); ++i) out += t[i].text;
    return out.substr(0, out.find_last_not_of(" \t\r\n") + 1);
}
