#pragma once
// What a statement that reaches a PostgreSQL company connection may be: exactly one statement that
// reads or writes rows (SELECT, WITH, VALUES, TABLE, INSERT, UPDATE, DELETE). Transaction control, SET
// and RESET (which could give the session back the login's own role), COPY, DO, CALL and changes to
// tables are the server's; so are the functions that set configuration or run SQL given as text. What
// the statement can reach is bounded besides by the company's own role (PostgresBackend.h).
#include <string>

// The statement without its trailing semicolons; raises EDatabaseError naming the rule it breaks.
std::string CheckedPostgresStatement(const std::string& sql);
