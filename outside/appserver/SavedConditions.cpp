#include "outside/appserver/SavedConditions.h"

#include "outside/appserver/ServerLog.h"

namespace {

Variant At(const Variant& array, int i) {
    const Variant& a = array.Deref();
    if (!a.IsArray() || a.DimCount() != 1 || i > a.High() - a.Low()) return {};
    return a[a.Low() + i].Deref();
}

std::string Text(const Variant& array, int i) { return VarToStr(At(array, i)); }

std::string Trimmed(const std::string& s) {
    auto b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

std::size_t Characters(const std::string& utf8) {
    std::size_t n = 0;
    for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
    return n;
}

std::string CheckName(const std::string& name) {
    if (Trimmed(name).empty()) return "方案名不可空白!";
    if (Characters(name) > static_cast<std::size_t>(kSchemeNameLength)) return "方案名不可超过20个字符!";
    return "";
}

}  // namespace

bool SavedConditions::Exists(const std::string& name, const std::string& user, const std::string& program) {
    return !db_.Query("SELECT 1 FROM DOCUS WHERE NCONDITION = ? AND CREATOR = ? AND PROGRAMME = ?", {name, user, program})
                .rows.empty();
}

std::string SavedConditions::Insert(const Variant& params) {
    try {
        std::string name = Text(params, 0), user = Text(params, 1), today = Text(params, 2), program = Text(params, 3);
        Variant text = At(params, 4), page = At(params, 5);
        bool replace = !At(params, 6).IsEmptyOrNull() && At(params, 6).AsBool();
        if (std::string why = CheckName(name); !why.empty()) return why;
        std::string answer;
        db_.InTransaction([&] {
            if (Exists(name, user, program)) {
                if (!replace) {
                    answer = "此方案名已存在!";
                    return;
                }
                db_.Query(
                    "UPDATE DOCUS SET VCONDITION = ?, ActivePage = ?, CREATE_DATE = ?, MODIFIER = ?, MODI_DATE = ?, "
                    "FLAG = (COALESCE(FLAG, 0) + 1) % 1000 WHERE NCONDITION = ? AND CREATOR = ? AND PROGRAMME = ?",
                    {text, page, today, user, ServerStampText(), name, user, program});
                return;
            }
            db_.Query(
                "INSERT INTO DOCUS (NCONDITION, CREATOR, PROGRAMME, CREATE_DATE, VCONDITION, ActivePage, COMPANY, "
                "USR_GROUP, FLAG) VALUES (?, ?, ?, ?, ?, ?, ?, ?, 1)",
                {name, user, program, today, text, page, company_, userGroup_});
        });
        return answer;
    } catch (const Exception& e) {
        return e.Message();
    }
}

std::string SavedConditions::Delete(const Variant& params) {
    try {
        db_.Query("DELETE FROM DOCUS WHERE NCONDITION = ? AND CREATOR = ? AND PROGRAMME = ?",
                  {Text(params, 0), Text(params, 1), Text(params, 2)});
        return "";
    } catch (const Exception& e) {
        return e.Message();
    }
}

std::string SavedConditions::Rename(const Variant& params) {
    try {
        Variant from = At(params, 0), to = At(params, 1);
        std::string oldName = Text(from, 0), user = Text(from, 1), program = Text(from, 2);
        std::string newName = Text(to, 0);
        if (std::string why = CheckName(newName); !why.empty()) return why;
        if (Text(to, 1) != user || Text(to, 2) != program) return "方案只能在同一用户和作业内改名!";
        std::string answer;
        db_.InTransaction([&] {
            if (newName != oldName && Exists(newName, user, program)) {
                answer = "此方案名已存在!";
                return;
            }
            SqlResult r = db_.Query(
                "UPDATE DOCUS SET NCONDITION = ?, MODIFIER = ?, MODI_DATE = ?, "
                "FLAG = (COALESCE(FLAG, 0) + 1) % 1000 WHERE NCONDITION = ? AND CREATOR = ? AND PROGRAMME = ?",
                {newName, user, ServerStampText(), oldName, user, program});
            if (r.changes == 0) answer = "方案不存在!";
        });
        return answer;
    } catch (const Exception& e) {
        return e.Message();
    }
}
