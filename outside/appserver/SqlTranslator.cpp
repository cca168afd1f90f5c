#include "outside/appserver/SqlTranslator.h"

#include "outside/appserver/SqlTokens.h"
#include "toolkit/rtl/Exception.h"

#include <cctype>
#include <optional>
#include <vector>

namespace {

std::string Upper(const std::string& s) { return SqlUpper(s); }
constexpr std::size_t npos = kNoToken;

// The users' password keys are the server's alone: text from clients may neither read them (an offline
// guess at every password) nor write them (a known password for the administrator). A name in quotes,
// brackets or (as SQLite allows) a string still names the table.
void RefuseProtectedTables(const std::vector<Token>& t) {
    for (const Token& x : t) {
        std::string name = x.text;
        if ((x.kind == Tok::Quoted || x.kind == Tok::String) && name.size() >= 2)
            name = name.substr(1, name.size() - 2);
        else if (x.kind != Tok::Ident)
            continue;
        if (Upper(name) == "RKTPW") throw EDatabaseError("The table " + name + " is not allowed in SQL sent to the server");
    }
}

std::size_t MatchingClose(const std::vector<Token>& t, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < t.size(); ++i) {
        if (IsPunct(t[i], "(")) ++depth;
        if (IsPunct(t[i], ")") && --depth == 0) return i;
    }
    return npos;
}

std::size_t MatchingOpen(const std::vector<Token>& t, std::size_t close) {
    int depth = 0;
    for (std::size_t i = close + 1; i-- > 0;) {
        if (IsPunct(t[i], ")")) ++depth;
        if (IsPunct(t[i], "(") && --depth == 0) return i;
    }
    return npos;
}

void Erase(std::vector<Token>& t, std::size_t from, std::size_t to) {  // [from, to)
    t.erase(t.begin() + static_cast<long>(from), t.begin() + static_cast<long>(to));
}

// $$ before names stands for the company database, which is the file itself.
void DropDollars(std::vector<Token>& t) {
    std::erase_if(t, [](const Token& x) { return x.kind == Tok::Dollars; });
}

// DB..TABLE and DB.dbo.TABLE name a table of this database.
void DropDatabaseQualifiers(std::vector<Token>& t) {
    for (std::size_t i = 0; i + 3 < t.size(); ++i) {
        bool name = t[i].kind == Tok::Ident || t[i].kind == Tok::Quoted;
        if (!name || (i > 0 && IsPunct(t[i - 1], "."))) continue;
        if (IsPunct(t[i + 1], ".") && IsPunct(t[i + 2], ".") && (t[i + 3].kind == Tok::Ident || t[i + 3].kind == Tok::Quoted)) {
            Erase(t, i, i + 3);
        } else if (i + 4 < t.size() && IsPunct(t[i + 1], ".") && IsWord(t[i + 2], "DBO") && IsPunct(t[i + 3], ".") &&
                   (t[i + 4].kind == Tok::Ident || t[i + 4].kind == Tok::Quoted)) {
            Erase(t, i, i + 4);
        }
    }
}

// Table hints: "(nolock)" and "WITH (NOLOCK)".
void DropNolock(std::vector<Token>& t) {
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (!IsPunct(t[i], "(")) continue;
        std::size_t w = NextSolid(t, i);
        if (w == npos || !IsWord(t[w], "NOLOCK")) continue;
        std::size_t close = NextSolid(t, w);
        if (close == npos || !IsPunct(t[close], ")")) continue;
        std::size_t from = i;
        std::size_t with = PrevSolid(t, i);
        if (with != npos && IsWord(t[with], "WITH")) from = with;
        // Keep one blank so "T(nolock)where" does not glue the name to the next word.
        Erase(t, from, close + 1);
        t.insert(t.begin() + static_cast<long>(from), Token{Tok::Space, " "});
        i = from;
    }
}

void RenameFunctions(std::vector<Token>& t, SqlDialect dialect) {
    bool pg = dialect == SqlDialect::PostgreSQL;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind != Tok::Ident) continue;
        std::size_t open = NextSolid(t, i);
        if (open == npos || !IsPunct(t[open], "(")) continue;
        if (i > 0 && IsPunct(t[i - 1], ".")) continue;  // a column or schema-qualified name
        std::string name = Upper(t[i].text);
        if (name == "GETDATE") {
            std::size_t close = NextSolid(t, open);
            if (close == npos || !IsPunct(t[close], ")")) continue;
            Erase(t, i + 1, close + 1);
            t[i] = {Tok::Text, pg ? "LOCALTIMESTAMP(0)" : "datetime('now','localtime')"};
        } else if (name == "ISNULL") {
            t[i].text = pg ? "COALESCE" : "IFNULL";
        } else if (name == "LEN" && pg) {
            // Characters without the trailing blanks, of any value as text.
            std::size_t close = MatchingClose(t, open);
            if (close == npos) continue;
            t[close] = {Tok::Text, " AS text)))"};
            t[open] = {Tok::Text, "(rtrim(CAST("};
            t[i].text = "length";
        } else if (name == "SUBSTRING") {
            t[i].text = "substr";
        }
    }
}

// SELECT [DISTINCT|ALL] TOP n|(n) ...  ->  SELECT ... LIMIT n, the limit closing that SELECT's own scope.
void TopToLimit(std::vector<Token>& t) {
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (!IsWord(t[i], "SELECT")) continue;
        std::size_t top = NextSolid(t, i);
        if (top != npos && (IsWord(t[top], "DISTINCT") || IsWord(t[top], "ALL"))) top = NextSolid(t, top);
        if (top == npos || !IsWord(t[top], "TOP")) continue;
        std::size_t n = NextSolid(t, top), last = n;
        if (n != npos && IsPunct(t[n], "(")) {
            n = NextSolid(t, n);
            last = n == npos ? npos : NextSolid(t, n);
            if (last == npos || !IsPunct(t[last], ")")) continue;
        }
        if (n == npos || t[n].kind != Tok::Number) continue;
        std::string count = t[n].text;
        // "TOP 100 PERCENT" (all rows, the usual idiom in views) has no LIMIT counterpart: it is dropped.
        std::size_t percent = NextSolid(t, last);
        bool isPercent = percent != npos && IsWord(t[percent], "PERCENT");
        if (isPercent) last = percent;
        std::size_t after = last + 1;
        while (after < t.size() && t[after].kind == Tok::Space) ++after;
        Erase(t, top, after);
        if (isPercent) continue;
        // End of this SELECT: the parenthesis that closes its level, a ";" or the end of the text.
        std::size_t end = top;
        for (int depth = 0; end < t.size(); ++end) {
            if (IsPunct(t[end], "("))
                ++depth;
            else if (IsPunct(t[end], ")") && depth-- == 0)
                break;
            else if (IsPunct(t[end], ";") && depth == 0)
                break;
        }
        while (end > top && IsBlank(t[end - 1])) --end;
        t.insert(t.begin() + static_cast<long>(end), Token{Tok::Text, " LIMIT " + count});
    }
}

bool IsStringFunction(const std::string& name) {
    static const char* names[] = {"SUBSTR", "SUBSTRING", "RTRIM", "LTRIM", "TRIM",  "UPPER", "LOWER", "REPLACE",
                                  "RPAD",   "LPAD",      "CHAR",  "NCHAR", "SPACE", "LEFT",  "RIGHT", "STR"};
    std::string u = Upper(name);
    for (const char* n : names)
        if (u == n) return true;
    return false;
}

// Words after which a parenthesis opens an expression rather than a function's arguments.
bool IsKeyword(const std::string& word) {
    static const char* words[] = {"SELECT", "WHERE", "AND", "OR",     "NOT", "ON",     "IN",     "EXISTS", "WHEN", "THEN", "ELSE",
                                  "AS",     "FROM",  "BY",  "VALUES", "SET", "HAVING", "RETURN", "LIKE",   "IS",   "CASE", "END"};
    std::string u = Upper(word);
    for (const char* w : words)
        if (u == w) return true;
    return false;
}

struct Operand {
    std::size_t first;
    std::size_t last;
    bool text;  // known to be a string
};

// CAST(x AS [N]VARCHAR|[N]CHAR|TEXT ...) yields a string.
bool IsCastToText(const std::vector<Token>& t, std::size_t open, std::size_t close) {
    for (std::size_t i = open; i < close; ++i) {
        if (!IsWord(t[i], "AS")) continue;
        std::size_t ty = NextSolid(t, i);
        if (ty == npos || t[ty].kind != Tok::Ident) return false;
        std::string u = Upper(t[ty].text);
        return u == "VARCHAR" || u == "NVARCHAR" || u == "CHAR" || u == "NCHAR" || u == "TEXT";
    }
    return false;
}

std::optional<Operand> OperandAfter(const std::vector<Token>& t, std::size_t plus) {
    std::size_t i = NextSolid(t, plus);
    if (i == npos) return std::nullopt;
    if (t[i].kind == Tok::String) return Operand{i, i, true};
    if (t[i].kind == Tok::Number || t[i].kind == Tok::Text) return Operand{i, i, false};
    if (IsPunct(t[i], "(")) {
        std::size_t close = MatchingClose(t, i);
        if (close == npos) return std::nullopt;
        return Operand{i, close, false};
    }
    if (t[i].kind != Tok::Ident && t[i].kind != Tok::Quoted) return std::nullopt;
    std::size_t last = i;
    while (last + 2 < t.size() && IsPunct(t[last + 1], ".") &&
           (t[last + 2].kind == Tok::Ident || t[last + 2].kind == Tok::Quoted))
        last += 2;
    std::size_t open = NextSolid(t, last);
    if (last == i && open != npos && IsPunct(t[open], "(")) {
        std::size_t close = MatchingClose(t, open);
        if (close == npos) return std::nullopt;
        bool text = IsStringFunction(t[i].text) || (IsWord(t[i], "CAST") && IsCastToText(t, open, close));
        return Operand{i, close, text};
    }
    return Operand{i, last, false};
}

std::optional<Operand> OperandBefore(const std::vector<Token>& t, std::size_t plus) {
    std::size_t i = PrevSolid(t, plus);
    if (i == npos) return std::nullopt;
    if (t[i].kind == Tok::String) return Operand{i, i, true};
    if (t[i].kind == Tok::Number || t[i].kind == Tok::Text) return Operand{i, i, false};
    if (IsPunct(t[i], ")")) {
        std::size_t open = MatchingOpen(t, i);
        if (open == npos) return std::nullopt;
        std::size_t fn = PrevSolid(t, open);
        if (fn != npos && t[fn].kind == Tok::Ident && !IsKeyword(t[fn].text) && !(fn > 0 && IsPunct(t[fn - 1], "."))) {
            bool text = IsStringFunction(t[fn].text) || (IsWord(t[fn], "CAST") && IsCastToText(t, open, i));
            return Operand{fn, i, text};
        }
        return Operand{open, i, false};
    }
    if (t[i].kind != Tok::Ident && t[i].kind != Tok::Quoted) return std::nullopt;
    std::size_t first = i;
    while (first >= 2 && IsPunct(t[first - 1], ".") && (t[first - 2].kind == Tok::Ident || t[first - 2].kind == Tok::Quoted))
        first -= 2;
    return Operand{first, i, false};
}

// A chain a + b + c shares operands between neighbouring pluses; when any operand of the chain is a
// string, every plus of the chain concatenates (SQLite's "+" would add them as numbers).
void PlusToConcat(std::vector<Token>& t) {
    std::vector<std::size_t> chain;
    bool chainText = false;
    std::optional<Operand> previousRight;
    auto flush = [&] {
        if (chainText)
            for (std::size_t p : chain) t[p].text = "||";
        chain.clear();
        chainText = false;
    };
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (!IsPunct(t[i], "+")) continue;
        auto left = OperandBefore(t, i);
        auto right = OperandAfter(t, i);
        if (!left || !right) {  // a sign, not a binary plus
            flush();
            previousRight.reset();
            continue;
        }
        bool joined = previousRight && previousRight->first == left->first && previousRight->last == left->last;
        if (!joined) flush();
        chain.push_back(i);
        chainText = chainText || left->text || right->text;
        previousRight = right;
    }
    flush();
}

bool IsPlainIdentifier(const std::string& s) {
    if (s.empty() || std::isdigit(static_cast<unsigned char>(s[0]))) return false;
    for (char c : s)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    return true;
}

// [name] is SQL Server's quoting. A plain name loses its brackets, so that it folds to the case the
// tables were created with; any other becomes a double-quoted name.
void BracketsToNames(std::vector<Token>& t) {
    for (auto& x : t) {
        if (x.kind != Tok::Quoted || x.text.size() < 2 || x.text.front() != '[') continue;
        std::string inner = x.text.substr(1, x.text.size() - 2);
        if (IsPlainIdentifier(inner)) {
            x = {Tok::Ident, inner};
            continue;
        }
        std::string quoted = "\"";
        for (char c : inner) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        x.text = quoted + "\"";
    }
}

// LIKE compares without regard to ASCII case in SQLite (and in the suite's own databases).
void LikeIgnoresCase(std::vector<Token>& t) {
    for (auto& x : t)
        if (IsWord(x, "LIKE")) x.text = "ILIKE";
}

// Nulls sort before every value in SQLite (and in the suite's own databases), after them in PostgreSQL:
// each ORDER BY item says where they go, unless it already does.
void NullsSortFirst(std::vector<Token>& t) {
    std::vector<std::pair<std::size_t, const char*>> inserts;  // after token, text
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (!IsWord(t[i], "ORDER")) continue;
        std::size_t by = NextSolid(t, i);
        if (by == npos || !IsWord(t[by], "BY")) continue;
        std::size_t last = npos;  // last solid token of the current item
        bool named = false;       // the item says NULLS itself
        auto close = [&] {
            if (last != npos && !named) inserts.emplace_back(last, IsWord(t[last], "DESC") ? " NULLS LAST" : " NULLS FIRST");
            last = npos;
            named = false;
        };
        int depth = 0;
        std::size_t j = by + 1;
        for (; j < t.size(); ++j) {
            const Token& x = t[j];
            if (IsBlank(x)) continue;
            if (IsPunct(x, "(")) ++depth;
            if (IsPunct(x, ")") && depth-- == 0) break;
            if (depth == 0 &&
                (IsPunct(x, ";") || IsWord(x, "LIMIT") || IsWord(x, "OFFSET") || IsWord(x, "FETCH") || IsWord(x, "FOR")))
                break;
            if (depth == 0 && IsPunct(x, ",")) {
                close();
                continue;
            }
            named = named || (depth == 0 && IsWord(x, "NULLS"));
            last = j;
        }
        close();
        i = j == t.size() ? j : j - 1;
    }
    for (auto it = inserts.rbegin(); it != inserts.rend(); ++it)
        t.insert(t.begin() + static_cast<long>(it->first + 1), Token{Tok::Text, it->second});
}

}  // namespace

std::string NumberedParameters(const std::string& sql, int* count) {
    std::vector<Token> t = Tokenize(sql);
    int n = 0;
    for (auto& x : t)
        if (IsPunct(x, "?")) x.text = "$" + std::to_string(++n);
    if (count) *count = n;
    return JoinTokens(t);
}

std::string SqlTranslator::Translate(const std::string& sql) const {
    std::vector<Token> t = Tokenize(sql);
    RefuseProtectedTables(t);
    DropDollars(t);
    DropDatabaseQualifiers(t);
    DropNolock(t);
    if (dialect_ == SqlDialect::PostgreSQL) {
        BracketsToNames(t);
        LikeIgnoresCase(t);
        NullsSortFirst(t);
    }
    RenameFunctions(t, dialect_);
    TopToLimit(t);
    PlusToConcat(t);
    std::string out;
    out.reserve(sql.size() + 16);
    for (const auto& x : t) out += x.text;
    return out;
}
