#pragma once
// Base-data rights: which rows of one level of the connected program a user may touch, decided by
// the rules table ADMBR. The answer is [count of permitted rows, array of their keys], each key the
// level's key values joined with "-".
#include <string>

#include "outside/appserver/CompanyDatabase.h"
#include "outside/appserver/ProviderCatalog.h"
#include "outside/appserver/SqlTranslator.h"

// condition: a WHERE fragment the client builds from its parent row ("" for every row).
Variant BaseLimitedRecs(CompanyDatabase& db, const SqlTranslator& translator, const ProgramInformation& info,
                        const std::string& user, const std::string& levelPrefix, const std::string& condition);
