#pragma once
// Rows and column descriptions as every company-database backend hands them out.
#include <string>
#include <vector>

#include "toolkit/rtl/Variant.h"
#include "toolkit/rtl/Visibility.h"

using SqlRow = std::vector<Variant>;

struct TK_EXPORT SqlResult {
    std::vector<std::string> columns;  // names as the statement gives them (aliases when present)
    std::vector<SqlRow> rows;
    int changes = 0;  // rows written by the statements

    // Index of a column by name, case-insensitive; a name qualified by "table." matches its last part.
    // -1 when absent.
    int ColumnIndex(const std::string& name) const;
};

// A column of a table as the database declares it.
struct SqlColumnInfo {
    std::string name;
    std::string type;  // declared type, e.g. "varchar(10)"
    bool notNull = false;
    bool hasDefault = false;
    int keyPosition = 0;  // 1-based position in the primary key, 0 when not part of it
};
