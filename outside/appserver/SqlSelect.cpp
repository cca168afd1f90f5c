#include "outside/appserver/SqlSelect.h"

#include <vector>

#include "outside/appserver/SqlTokens.h"

namespace {

// Token positions of the top-level clause keywords (kNoToken when absent).
struct Clauses {
    std::vector<Token> tokens;
    std::size_t from = kNoToken, where = kNoToken, group = kNoToken, having = kNoToken, order = kNoToken, limit = kNoToken;
};

bool FollowedByBy(const std::vector<Token>& t, std::size_t i) {
    std::size_t next = NextSolid(t, i);
    return next != kNoToken && IsWord(t[next], "BY");
}

Clauses Scan(const std::string& select) {
    Clauses c;
    c.tokens = Tokenize(select);
    int depth = 0;
    for (std::size_t i = 0; i < c.tokens.size(); ++i) {
        const Token& t = c.tokens[i];
        if (IsPunct(t, "(")) ++depth;
        if (IsPunct(t, ")")) --depth;
        if (depth != 0 || t.kind != Tok::Ident) continue;
        auto first = [&](std::size_t& slot) {
            if (slot == kNoToken) slot = i;
        };
        if (IsWord(t, "FROM"))
            first(c.from);
        else if (IsWord(t, "WHERE"))
            first(c.where);
        else if (IsWord(t, "GROUP") && FollowedByBy(c.tokens, i))
            first(c.group);
        else if (IsWord(t, "HAVING"))
            first(c.having);
        else if (IsWord(t, "ORDER") && FollowedByBy(c.tokens, i))
            first(c.order);
        else if (IsWord(t, "LIMIT"))
            first(c.limit);
    }
    return c;
}

std::string Join(const std::vector<Token>& t, std::size_t from, std::size_t to) {
    std::string out;
    for (std::size_t i = from; i < to && i < t.size(); ++i) out += t[i].text;
    return out;
}

std::string Trimmed(const std::string& s) {
    auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

std::size_t FirstOf(std::initializer_list<std::size_t> positions, std::size_t fallback) {
    std::size_t best = fallback;
    for (std::size_t p : positions)
        if (p != kNoToken && p < best) best = p;
    return best;
}

}  // namespace

std::string AddCondition(const std::string& select, const std::string& condition) {
    std::string cond = Trimmed(condition);
    if (cond.empty()) return select;
    Clauses c = Scan(select);
    const auto& t = c.tokens;
    std::size_t end = FirstOf({c.group, c.having, c.order, c.limit}, t.size());
    std::string head = Trimmed(Join(t, 0, c.where == kNoToken ? end : c.where));
    std::string own = c.where == kNoToken ? "" : Trimmed(Join(t, c.where + 1, end));
    std::string tail = Join(t, end, t.size());
    std::string where = own.empty() ? "(" + cond + ")" : "(" + own + ") AND (" + cond + ")";
    return head + " WHERE " + where + (tail.empty() ? "" : " " + Trimmed(tail));
}

std::string SetOrder(const std::string& select, const std::string& order) {
    std::string by = Trimmed(order);
    if (by.empty()) return select;
    Clauses c = Scan(select);
    const auto& t = c.tokens;
    std::size_t cut = FirstOf({c.order, c.limit}, t.size());
    std::string limit = c.limit == kNoToken ? "" : " " + Trimmed(Join(t, c.limit, t.size()));
    return Trimmed(Join(t, 0, cut)) + " ORDER BY " + by + limit;
}

std::string WithoutOrder(const std::string& select) {
    Clauses c = Scan(select);
    if (c.order == kNoToken) return select;
    const auto& t = c.tokens;
    std::string limit = c.limit == kNoToken ? "" : " " + Trimmed(Join(t, c.limit, t.size()));
    return Trimmed(Join(c.tokens, 0, c.order)) + limit;
}

std::string FromPart(const std::string& select) {
    Clauses c = Scan(select);
    return c.from == kNoToken ? "" : Trimmed(Join(c.tokens, c.from, c.tokens.size()));
}
