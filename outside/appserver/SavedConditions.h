#pragma once
// The server side of the saved query schemes (DOCUS, one row per scheme name, user and program). Each
// operation answers "" on success and the reason otherwise; values are bound parameters.
#include <string>

#include "outside/appserver/CompanyDatabase.h"

class SavedConditions {
public:
    SavedConditions(CompanyDatabase& db, std::string company, std::string userGroup)
        : db_(db), company_(std::move(company)), userGroup_(std::move(userGroup)) {}

    // [name, user, today "YYYYMMDD", program, scheme text, page, replace]
    std::string Insert(const Variant& params);
    // [name, user, program]
    std::string Delete(const Variant& params);
    // [[old name, user, program], [new name, user, program]]
    std::string Rename(const Variant& params);

private:
    bool Exists(const std::string& name, const std::string& user, const std::string& program);

    CompanyDatabase& db_;
    std::string company_, userGroup_;
};

inline constexpr int kSchemeNameLength = 20;  // characters
