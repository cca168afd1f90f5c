#pragma once
// Users' passwords in the company database (table RKTPW): the salted PBKDF2 keys a login proof is
// checked against (toolkit/com/Scram.h), never the password. User ids compare without regard to case.
#include <optional>
#include <string>

#include "toolkit/com/Scram.h"
#include "toolkit/rtl/Visibility.h"

class CompanyDatabase;

// The user's keys and the user id as stored; nothing for an unknown user or one without a password
// (a database made before passwords existed has none).
TK_EXPORT std::optional<TScramVerifier> StoredPassword(CompanyDatabase& db, const std::string& user, std::string& storedId);

// Gives a known user a new password (a new salt too). Raises EDatabaseError naming an unknown user or
// an empty password.
TK_EXPORT void SetUserPassword(CompanyDatabase& db, const std::string& user, const std::string& password);
