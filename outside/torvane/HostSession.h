#pragma once
// What the work center's manager and its services share: who is logged in where, and the application
// server they forward to (created by "Nexor01S.Class1" on first use).
#include <string>

#include "toolkit/rtl/Variant.h"

class HostSession {
public:
    std::string userId;
    std::string companyId;
    std::string databaseName;

    // The database of a company: the logged-in database for the logged-in company, otherwise the
    // database named like the company.
    std::string DatabaseFor(const std::string& company) const;

    // The application server; raises EOleError when it is not installed.
    const Variant& AppServer();

private:
    Variant appServer_;
};
