#pragma once
// Functions of the suite's SQL that SQLite lacks, registered on every company-database connection:
//   LEN(text)             characters without the trailing blanks
//   RPAD(text, n [, pad]) the text filled on the right with pad (default a blank) or cut to n characters
// Lengths count characters, not bytes.
struct sqlite3;

void RegisterSqliteFunctions(sqlite3* db);
