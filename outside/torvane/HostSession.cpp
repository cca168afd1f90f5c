#include "outside/torvane/HostSession.h"

#include "toolkit/com/ComObj.h"

std::string HostSession::DatabaseFor(const std::string& company) const {
    if (!databaseName.empty() && (company.empty() || company == companyId)) return databaseName;
    return company;
}

const Variant& HostSession::AppServer() {
    if (!appServer_.IsDispatch()) appServer_ = CreateOleObject("Nexor01S.Class1");
    return appServer_;
}
