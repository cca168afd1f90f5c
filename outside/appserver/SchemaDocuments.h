#pragma once
// The table definitions of the company database itself, read from its schema text (data/schema.sql):
// every CREATE TABLE becomes a document (ADMMC) and every column a field line (ADMMD). The comments of
// the schema give the Chinese names (see the head of schema.sql for their form); system and
// user-defined columns have standard names. The demo company is loaded with them, so the
// table-definition program documents the database it runs on.
#include <string>
#include <string_view>
#include <vector>
#include "toolkit/rtl/Visibility.h"

struct SchemaField {
    std::string code;         // MD003: the column
    std::string name;         // MD004
    std::string type;         // MD005: C, N, V, D, T, I or Z
    double length = 0;        // MD006: characters, or integer.decimal digits for numbers
    std::string description;  // MD007
    std::string entity;       // MD008: the table the column refers to
};

struct SchemaTable {
    std::string code;      // MC001: the table
    std::string fileName;  // MC002
    std::string type;      // MC003: "1" .. "8"
    std::string system;    // MC004
    std::string remark;    // MC005
    std::vector<SchemaField> fields;
};

// The tables of a schema in their order. Texts are cut to the sizes of the document's fields in the
// database code page (936), never inside a character.
TK_EXPORT std::vector<SchemaTable> SchemaTables(std::string_view schemaSql);

// INSERT statements for the documents of the tables, stamped as created by the demo company's
// administrator.
TK_EXPORT std::string DocumentInserts(const std::vector<SchemaTable>& tables);

// Everything a new company database is loaded with: the demo company (data/seed.sql) and the
// documents of its own schema.
TK_EXPORT std::string DemoCompanySql();
