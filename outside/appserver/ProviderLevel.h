#pragma once
// What a provider serves: a statement for its rows, the table its changes are written to, the key that
// finds a row again, and nested detail levels whose rows travel inside each master row.
#include <string>
#include <utility>
#include <vector>

#include "toolkit/rtl/Variant.h"

struct ProviderLevel {
    std::string select;                    // SELECT ... FROM ... in the suite's SQL; no request parts
    std::vector<Variant> selectParams;     // values of the "?" in select, in order
    std::string fixedCondition;            // always ANDed to the request's condition ("?" allowed)
    std::vector<Variant> conditionParams;  // values of the "?" in fixedCondition
    std::string defaultOrder;              // ORDER BY when the request names none
    std::string table;                     // the table changes are written to; "" = read-only
    std::vector<std::string> keyFields;    // columns that identify a row of table
    // Detail levels only: the dataset field of the master row that holds the rows, and the links
    // (master column, detail column) that select them.
    std::string fieldName;
    std::vector<std::pair<std::string, std::string>> links;
    std::vector<ProviderLevel> details;
};

struct Provider {
    std::string name;
    ProviderLevel level;
};

// What the client last asked a provider for with AS_DataRequest: [condition, order].
struct ProviderRequest {
    std::string condition;  // "" and "All" select every row
    std::string order;
    int topRows = 0;  // at most this many rows (SetTopRow before the request); 0 every row
};
