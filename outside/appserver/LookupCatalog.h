#pragma once
// The lookup catalog (table ADMLK): for a table code and a lookup kind, the statement that answers value
// checks and data queries, and the statement, caption and column titles of the F2 list. Keys are bound
// to the statement's "?" parameters in order; keys beyond them are ignored, missing ones are null.
#include <optional>
#include <string>
#include <vector>

#include "outside/appserver/CompanyDatabase.h"
#include "outside/appserver/SqlTranslator.h"

struct LookupEntry {
    std::string checkSql;             // LK003
    std::string listSql;              // LK004; the check statement when empty
    std::string caption;              // LK005
    std::vector<std::string> titles;  // LK006, comma separated
};

class LookupCatalog {
public:
    explicit LookupCatalog(CompanyDatabase& db) : db_(db) {}

    std::optional<LookupEntry> Find(const std::string& table, const std::string& kind);

    // Rows of the check statement (empty when the entry has none).
    SqlResult Check(const LookupEntry& entry, const std::vector<Variant>& keys);
    // Rows of the list statement whose first column starts with the search text (all when it is empty),
    // compared without regard to ASCII case.
    SqlResult List(const LookupEntry& entry, const std::vector<Variant>& keys, const std::string& search);

private:
    CompanyDatabase& db_;
};

// The keys argument as a list: an array's elements, a single value wrapped, nothing for Empty/Null.
std::vector<Variant> KeyList(const Variant& keys);
