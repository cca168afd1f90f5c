#include "outside/appserver/UserPasswords.h"

#include <cstdlib>

#include "outside/appserver/CompanyDatabase.h"
#include "outside/appserver/ServerLog.h"
#include "toolkit/rtl/SysUtils.h"

namespace {

std::string StoredUserId(CompanyDatabase& db, const std::string& user) {
    SqlResult who = db.Query("SELECT MA001 FROM RKTMA WHERE UPPER(MA001) = UPPER(?)", {Trim(user)});
    return who.rows.empty() ? std::string() : Trim(VarToStr(who.rows[0][0]));
}

}  // namespace

std::optional<TScramVerifier> StoredPassword(CompanyDatabase& db, const std::string& user, std::string& storedId) {
    storedId = StoredUserId(db, user);
    if (storedId.empty()) return std::nullopt;
    SqlResult keys;
    try {
        keys = db.Query("SELECT PW002, PW003, PW004, PW005 FROM RKTPW WHERE PW001 = ?", {storedId});
    } catch (const EDatabaseError&) {
        return std::nullopt;  // no password table: nobody has a password
    }
    if (keys.rows.empty()) return std::nullopt;
    const SqlRow& row = keys.rows[0];
    TScramVerifier v;
    v.Salt = HexBytes(VarToStr(row[0]));
    v.Iterations = std::atoi(VarToStr(row[1]).c_str());  // numeric comes back as text on some backends
    v.StoredKey = HexBytes(VarToStr(row[2]));
    v.ServerKey = HexBytes(VarToStr(row[3]));
    if (v.Salt.empty() || v.Iterations < kScramMinIterations || v.StoredKey.size() != 32 || v.ServerKey.size() != 32)
        return std::nullopt;  // a damaged row lets nobody in
    return v;
}

void SetUserPassword(CompanyDatabase& db, const std::string& user, const std::string& password) {
    std::string id = StoredUserId(db, user);
    if (id.empty()) throw EDatabaseError("用户 " + user + " 不存在");
    if (password.empty()) throw EDatabaseError("The password must not be empty");
    TScramVerifier v = MakeScramVerifier(password);
    std::string now = ServerStampText();
    db.InTransaction([&] {
        db.Query("DELETE FROM RKTPW WHERE PW001 = ?", {id});
        db.Query(
            "INSERT INTO RKTPW (PW001, PW002, PW003, PW004, PW005, CREATE_DATE, MODI_DATE, FLAG) VALUES (?, ?, ?, ?, ?, ?, ?, 1)",
            {id, HexText(v.Salt), v.Iterations, HexText(v.StoredKey), HexText(v.ServerKey), now, now});
    });
}
