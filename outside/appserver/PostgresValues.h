#pragma once
// Values, types and names between Variants and PostgreSQL, so that a client sees the same Variants and
// column names from a PostgreSQL company as from an SQLite one:
//   int2/int4/int8 -> Integer; float4/float8 -> Double; numeric -> Integer when whole, else Double
//   (SQLite's numeric affinity); bool -> Integer 1/0; char(n) -> String without the padding blanks;
//   bytea -> Bytes; timestamps and dates -> their ISO text, as SQLite's date functions give it;
//   everything else -> String. NULL -> Null.
// Parameters travel as text of an unknown type, so the server types them from where they stand
// (a number compared with a varchar column still matches, as it does in SQLite); Bytes as bytea.
#include <optional>
#include <string>
#include <vector>

#include "toolkit/rtl/Variant.h"

using PgOid = unsigned int;

struct PgParams {
    std::vector<std::optional<std::string>> values;  // nullopt = NULL
    std::vector<PgOid> types;                        // 0 = let the server decide
    std::vector<int> formats;                        // 0 text, 1 binary
    std::vector<const char*> pointers;
    std::vector<int> lengths;

    // Fills the arrays for libpq; count = the statement's markers (missing values are null).
    void Set(const std::vector<Variant>& params, int count);
    // The same values, every one typed as text (for a statement whose markers the server cannot type).
    void TypeAsText();
};

Variant PgValue(const char* text, int length, PgOid type);

// The declared type of a column in the names SQLite's declarations use ("varchar(10)", "numeric(5,2)",
// "integer", "blob" ...), from the type and its modifier.
std::string PgTypeName(PgOid type, int modifier);

// PostgreSQL folds unquoted names to lower case; the name of a result column or table column as the
// statement, or else the company's schema, spells it (upper case when neither names it).
std::string PgColumnName(const std::string& folded, const std::string& statement);
