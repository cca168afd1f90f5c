#include "outside/appserver/BaseLimitedRecs.h"
#include "outside/appserver/SqlFragments.h"
#include "toolkit/rtl/SysUtils.h"

#include <cctype>
#include <map>
#include <sstream>
#include <vector>

namespace {

std::string Unqualified(const std::string& name) {
    std::size_t dot = name.rfind('.');
    return Trim(dot == std::string::npos ? name : name.substr(dot + 1));
}

bool IsIdentifier(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    return true;
}

std::string Info(const ProgramInformation& info, const std::string& name) {
    auto it = info.find(name);
    return it == info.end() ? "" : Trim(it->second);
}

// The client ties a detail level to its parent row with the parent's key columns, qualified by the
// level's own table (body) or by the body's table (sub-body). The level is read through a derived
// table of that name that offers each linked column under its parent column's name as well.
std::string LevelSource(const ProgramInformation& info, const std::string& prefix, const std::string& table) {
    std::string aliases;
    for (const auto& [parent, own] : ParentLinks(info, prefix))
        if (IsIdentifier(parent) && IsIdentifier(own) && UpperCase(parent) != UpperCase(own))
            aliases += ", " + table + "." + own + " AS " + parent;
    if (aliases.empty()) return table;
    const std::string alias = UpperCase(prefix) == "F11_" ? Info(info, "D11_TABLE") : table;
    if (!IsIdentifier(alias)) return table;
    return "(SELECT " + table + ".*" + aliases + " FROM " + table + ") " + alias;
}

}  // namespace

Variant BaseLimitedRecs(CompanyDatabase& db, const SqlTranslator& translator, const ProgramInformation& info,
                        const std::string& user, const std::string& levelPrefix, const std::string& condition) {
    std::string prefix = levelPrefix;
    if (prefix.empty() || prefix.back() != '_') prefix += "_";
    const std::string table = Info(info, prefix + "TABLE");
    std::vector<std::string> keys;
    std::stringstream list(Info(info, prefix + "KEY"));
    for (std::string key; std::getline(list, key, ',');)
        if (!Unqualified(key).empty()) keys.push_back(Unqualified(key));
    // The condition stands inside the statement next to the user's row rules: it may not reach past them.
    CheckClientFragment(condition, "condition");
    if (!IsIdentifier(table) || keys.empty()) throw EOleError("No table or key for the level " + prefix);
    for (const auto& key : keys)
        if (!IsIdentifier(key)) throw EOleError("Invalid key field " + key);

    // The user's rules for the table: column -> permitted values.
    std::map<std::string, std::vector<Variant>> rules;
    for (const SqlRow& row : db.Query("SELECT BR003, BR004 FROM ADMBR WHERE BR001 = ? AND BR002 = ?", {user, table}).rows)
        rules[Trim(VarToStr(row[0]))].push_back(row[1]);

    std::string sql = "SELECT ";
    for (std::size_t i = 0; i < keys.size(); ++i) sql += (i ? ", " : "") + keys[i];
    sql += " FROM " + LevelSource(info, prefix, table) + " WHERE 1=1";
    if (!Trim(condition).empty()) sql += " AND (" + condition + ")";
    std::vector<Variant> params;
    for (const auto& [column, values] : rules) {
        if (!IsIdentifier(column)) continue;
        sql += " AND " + column + " IN (";
        for (std::size_t i = 0; i < values.size(); ++i) sql += i ? ", ?" : "?";
        sql += ")";
        params.insert(params.end(), values.begin(), values.end());
    }
    SqlResult result = db.Query(translator.Translate(sql), params);
    std::vector<Variant> permitted;
    for (const SqlRow& row : result.rows) {
        std::string key;
        for (std::size_t i = 0; i < row.size(); ++i) key += (i ? "-" : "") + VarToStr(row[i]);
        permitted.push_back(Variant(key));
    }
    return VarArrayOf({Variant(static_cast<int>(permitted.size())), VarArrayOf(permitted)});
}
