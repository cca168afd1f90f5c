#include "outside/appserver/LookupCatalog.h"
#include "toolkit/rtl/SysUtils.h"

#include <cctype>
#include <sstream>

namespace {

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (prefix.size() > text.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

}  // namespace

std::vector<Variant> KeyList(const Variant& keys) {
    std::vector<Variant> out;
    const Variant& k = keys.Deref();
    if (k.IsArray()) {
        if (k.DimCount() != 1) throw EVariantError("Lookup keys must be a one-dimensional array");
        for (int i = k.Low(); i <= k.High(); ++i) out.push_back(k[i].Deref());
    } else if (!k.IsEmptyOrNull()) {
        out.push_back(k);
    }
    return out;
}

std::optional<LookupEntry> LookupCatalog::Find(const std::string& table, const std::string& kind) {
    SqlResult r =
        db_.Query("SELECT LK003, LK004, LK005, LK006 FROM ADMLK WHERE LK001 = ? AND LK002 = ?", {Trim(table), Trim(kind)});
    if (r.rows.empty()) return std::nullopt;
    const SqlRow& row = r.rows[0];
    LookupEntry e{VarToStr(row[0]), VarToStr(row[1]), VarToStr(row[2]), {}};
    std::stringstream titles(VarToStr(row[3]));
    for (std::string t; std::getline(titles, t, ',');) e.titles.push_back(Trim(t));
    return e;
}

SqlResult LookupCatalog::Check(const LookupEntry& entry, const std::vector<Variant>& keys) {
    if (Trim(entry.checkSql).empty()) return {};
    return db_.Query(db_.Translator().Translate(entry.checkSql), keys);
}

SqlResult LookupCatalog::List(const LookupEntry& entry, const std::vector<Variant>& keys, const std::string& search) {
    const std::string& sql = Trim(entry.listSql).empty() ? entry.checkSql : entry.listSql;
    if (Trim(sql).empty()) return {};
    SqlResult r = db_.Query(db_.Translator().Translate(sql), keys);
    if (!search.empty()) {
        std::erase_if(r.rows, [&](const SqlRow& row) { return row.empty() || !StartsWithNoCase(VarToStr(row[0]), search); });
    }
    return r;
}
