#pragma once
// Rewrites the suite's SQL-Server style statements into SQLite's dialect. Works on tokens, so text inside
// string literals, quoted names and comments is never touched.
//   $$TABLE, DB..TABLE, DB.dbo.TABLE    -> TABLE   (one company per database file)
//   SELECT TOP n ... / TOP (n)          -> SELECT ... LIMIT n   (at the end of that SELECT)
//   SELECT TOP 100 PERCENT ...          -> SELECT ...
//   FROM T (nolock), WITH (NOLOCK)      -> FROM T
//   N'text'                             -> 'text'
//   GETDATE()                           -> datetime('now','localtime')
//   ISNULL(a,b)                         -> IFNULL(a,b)
//   SUBSTRING(                          -> substr(
//   a + b  (an operand a string)        -> a || b   (the whole chain of + around it)
// LEN and RPAD are functions the company database registers; RTRIM, LTRIM and UPPER exist in SQLite.
#include <string>

class SqlTranslator {
public:
    std::string Translate(const std::string& sql) const;
};
