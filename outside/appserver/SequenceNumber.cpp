#include "outside/appserver/SequenceNumber.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsPlainName(const std::string& s) {
    return !s.empty() && !std::isdigit(static_cast<unsigned char>(s[0])) &&
           std::all_of(s.begin(), s.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; });
}

bool AllDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

}  // namespace

std::string NextSequenceNumber(CompanyDatabase& db, const std::string& table, const std::vector<std::string>& fields,
                               const std::vector<Variant>& values, const std::string& prefix) {
    if (!IsPlainName(table)) throw EDatabaseError("Invalid table name: '" + table + "'");
    if (fields.empty()) throw EDatabaseError("No numbered field given for " + table);
    for (const auto& f : fields)
        if (!IsPlainName(f)) throw EDatabaseError("Invalid field name: '" + f + "'");

    const std::string& numbered = fields.back();
    std::string sql = "SELECT " + numbered + " FROM " + table + " WHERE substr(" + numbered + ", 1, ?) = ?";
    // substr counts characters; the prefix may hold Chinese text.
    long long prefixChars = std::count_if(prefix.begin(), prefix.end(), [](char c) { return (c & 0xC0) != 0x80; });
    std::vector<Variant> params{prefixChars, prefix};
    for (std::size_t i = 0; i + 1 < fields.size(); ++i) {
        sql += " AND " + fields[i] + " = ?";
        params.push_back(i < values.size() ? values[i] : Variant(""));
    }
    long long highest = 0;
    std::size_t width = 0;
    for (const SqlRow& row : db.Query(sql, params).rows) {
        std::string text = VarToStr(row[0]);
        if (text.compare(0, prefix.size(), prefix) != 0) continue;
        std::string rest = text.substr(prefix.size());
        if (!AllDigits(rest) || rest.size() > 18) continue;
        highest = std::max(highest, std::stoll(rest));
        width = std::max(width, rest.size());
    }
    if (width == 0) width = 4;
    std::string number = std::to_string(highest + 1);
    if (number.size() < width) number.insert(0, width - number.size(), '0');
    return prefix + number;
}
