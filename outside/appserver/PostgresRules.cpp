#include "outside/appserver/PostgresRules.h"

#include <set>

#include "outside/appserver/SqlTokens.h"
#include "toolkit/rtl/Exception.h"

namespace {

constexpr const char* kRuleText = " is not allowed in SQL sent to the server";

const std::set<std::string> kRowStatements{"SELECT", "WITH", "VALUES", "TABLE", "INSERT", "UPDATE", "DELETE"};
const std::set<std::string> kTransactionWords{"BEGIN", "START",     "COMMIT",  "END",    "ROLLBACK",
                                              "ABORT", "SAVEPOINT", "RELEASE", "PREPARE"};
const std::set<std::string> kSchemaWords{"CREATE",  "DROP",    "ALTER",   "TRUNCATE", "GRANT",   "REVOKE",
                                         "COMMENT", "REINDEX", "CLUSTER", "REFRESH",  "SECURITY"};
const std::set<std::string> kForbiddenFunctions{
    "SET_CONFIG",    "QUERY_TO_XML",        "QUERY_TO_XMLSCHEMA", "QUERY_TO_XML_AND_XMLSCHEMA",
    "CURSOR_TO_XML", "CURSOR_TO_XMLSCHEMA", "PG_ADVISORY_LOCK",   "PG_ADVISORY_LOCK_SHARED",
    "DBLINK",        "DBLINK_EXEC",         "LO_IMPORT",          "LO_EXPORT"};

}  // namespace

std::string CheckedPostgresStatement(const std::string& sql) {
    std::vector<Token> tokens = Tokenize(sql);
    while (!tokens.empty() && (IsBlank(tokens.back()) || IsPunct(tokens.back(), ";"))) tokens.pop_back();
    std::size_t first = kNoToken;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (IsPunct(t, ";")) throw EDatabaseError("Only one statement is allowed here: " + sql);
        if (first == kNoToken && !IsBlank(t) && !IsPunct(t, "(")) first = i;
        if (t.kind == Tok::Ident && kForbiddenFunctions.count(SqlUpper(t.text)))
            throw EDatabaseError("The function " + t.text + kRuleText);
    }
    if (first == kNoToken) throw EDatabaseError("No statement in: " + sql);
    std::string word = SqlUpper(tokens[first].text);
    if (tokens[first].kind != Tok::Ident || !kRowStatements.count(word)) {
        if (kTransactionWords.count(word))
            throw EDatabaseError(std::string("Transaction control") + kRuleText + ": each call is a transaction of its own");
        if (kSchemaWords.count(word))
            throw EDatabaseError(std::string("Changing tables, indexes, views or triggers") + kRuleText);
        throw EDatabaseError(tokens[first].text + kRuleText);
    }
    return JoinTokens(tokens);
}
