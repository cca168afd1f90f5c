#pragma once
// Company databases for the benchmarks: fresh files in a temporary folder, filled with generated
// documents, and raw SQLite connections configured as the application server configures its own.
#include <sqlite3.h>

#include <functional>
#include <string>
#include <vector>

// A new company database (schema and demo company) with `documents` generated headers D0000001...,
// each with `lines` body rows. Returns its path.
std::string MakeBenchDatabase(const std::string& name, long long documents, int lines);

// Declares that the named benchmarks (full names, arguments included) use a database that `make`
// makes. Returns true, so that it can initialise a file-level constant.
bool NeedBenchDatabase(std::vector<std::string> benchmarks, std::function<void()> make);

// Makes, before anything is timed, the databases of the benchmarks the filter selects (the library's
// syntax: a regular expression, or "-" and one for the benchmarks left out). Filling a million rows
// right before a timed run would leave the machine writing them back while it is timed.
void MakeNeededDatabases(const std::string& filter);

// A raw connection with the server's settings (WAL, foreign keys, busy time-out, no per-connection
// lock): the baseline pays nothing the product does not pay.
sqlite3* OpenRaw(const std::string& path);

class TSocketConnection;

// Makes the application server of this process, on that database, reachable as "Nexor01S.Class1" at
// 127.0.0.1.
void RegisterInProcessServer(const std::string& databasePath);

// Points the in-process server at the database and connects the connection's server object as the
// demo user running Tdef05.
void ConnectInProcess(TSocketConnection& connection, const std::string& databasePath);
