#pragma once
// The next number of a numbered key: among the rows whose leading key fields equal the given values and
// whose numbered field (the last of the fields) starts with the prefix, the highest numeric rest plus one,
// zero-padded to the width in use (4 when there is no row yet). Table and field names must be plain
// names; values and the prefix are bound, never spliced.
#include <string>
#include <vector>

#include "outside/appserver/CompanyDatabase.h"

std::string NextSequenceNumber(CompanyDatabase& db, const std::string& table, const std::vector<std::string>& fields,
                               const std::vector<Variant>& values, const std::string& prefix);
