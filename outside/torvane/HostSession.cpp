#include "outside/torvane/HostSession.h"

std::string HostSession::DatabaseFor(const std::string& company) const {
    if (!databaseName.empty() && (company.empty() || company == companyId)) return databaseName;
    return company;
}
