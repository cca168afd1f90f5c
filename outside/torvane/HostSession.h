#pragma once
// What the work center's manager and its services share: who is logged in where, and the application
// server they forward to ("Nexor01S.Class1" at the configured server, reached on first use).
#include <string>

#include "outside/torvane/ServerLocation.h"
#include "toolkit/rtl/Variant.h"
#include "toolkit/rtl/Visibility.h"

class TK_EXPORT HostSession {
public:
    std::string userId;
    std::string companyId;
    std::string databaseName;

    // The database of a company: the logged-in database for the logged-in company, otherwise the
    // database named like the company.
    std::string DatabaseFor(const std::string& company) const;

    // The application server; raises EOleError when it is not installed, ESocketConnectionError when
    // the configured server cannot be reached.
    const Variant& AppServer() { return appServer_.Object(); }
    // The login's user and password for the configured server (a daemon asks for them; the server in
    // this process does not); the session is opened anew with them when next used.
    void SetCredentials(const std::string& user, const std::string& password) { appServer_.SetCredentials(user, password); }
    // The ticket the daemon issued at the login, for the programs' own connections ("" in process).
    std::string Ticket() {
        AppServer();
        return appServer_.Ticket();
    }

private:
    TConfiguredServer appServer_{"Nexor01S.Class1"};
};
