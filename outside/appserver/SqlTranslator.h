#pragma once
// Rewrites the suite's SQL-Server style statements into the dialect of a company database's backend.
// Works on tokens, so text inside string literals, quoted names and comments is never touched.
//   $$TABLE, DB..TABLE, DB.dbo.TABLE    -> TABLE   (one company per database file or schema)
//   SELECT TOP n ... / TOP (n)          -> SELECT ... LIMIT n   (at the end of that SELECT)
//   SELECT TOP 100 PERCENT ...          -> SELECT ...
//   FROM T (nolock), WITH (NOLOCK)      -> FROM T
//   N'text'                             -> 'text'
//   GETDATE()                           -> datetime('now','localtime')
//   ISNULL(a,b)                         -> IFNULL(a,b)
//   SUBSTRING(                          -> substr(
//   a + b  (an operand a string)        -> a || b   (the whole chain of + around it)
// LEN and RPAD are functions the company database registers; RTRIM, LTRIM and UPPER exist in SQLite.
// PostgreSQL differs in:
//   ISNULL(a,b)                         -> COALESCE(a,b)
//   GETDATE()                           -> LOCALTIMESTAMP(0)
//   LEN(x)                              -> length(rtrim(CAST(x AS text)))
//   [name]                              -> name    (a plain name; others become "name")
//   a LIKE b                            -> a ILIKE b   (case-insensitive, as in SQLite)
//   ORDER BY a, b DESC                  -> ORDER BY a NULLS FIRST, b DESC NULLS LAST   (nulls sort low)
// and has RPAD, RTRIM, LTRIM and UPPER of its own.
// Text naming the users' password table RKTPW (in any quoting) is refused with EDatabaseError: every
// statement that arrives from a client passes through here.
#include <string>
#include "toolkit/rtl/Visibility.h"

enum class SqlDialect {
    SQLite,
    PostgreSQL
};

class TK_EXPORT SqlTranslator {
public:
    explicit SqlTranslator(SqlDialect dialect = SqlDialect::SQLite) : dialect_(dialect) {}
    SqlDialect Dialect() const { return dialect_; }
    std::string Translate(const std::string& sql) const;

private:
    SqlDialect dialect_;
};

// The "?" parameter markers of a statement numbered as PostgreSQL wants them: $1, $2 ... in order.
// Markers inside literals, quoted names and comments are text and stay. count (when given) receives
// the number of markers.
TK_EXPORT std::string NumberedParameters(const std::string& sql, int* count = nullptr);
