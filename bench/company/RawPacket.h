#pragma once
// The raw baseline of a first packet of documents: the header statement as given, then the field lines
// (ADMMD) of the headers it returned, read with one prepared statement for all their keys, every column
// read in its stored type as a program showing them would. The same rows a provider's packet carries,
// bodies included. Statements stay prepared from call to call, as the server keeps its own.
#include <sqlite3.h>

#include <cstddef>
#include <map>
#include <string>

struct TRawPacket {
    long long headers = 0;
    long long lines = 0;
    std::size_t bytes = 0;  // values read, so that nothing is optimised away
    std::string error;      // the database's message; empty on success
};

// Reads every column of the current row in its stored type; the bytes they held.
std::size_t ReadRawColumns(sqlite3_stmt* st);

class TRawPacketReader {
public:
    explicit TRawPacketReader(sqlite3* db) : db_(db) {}
    ~TRawPacketReader();
    TRawPacketReader(const TRawPacketReader&) = delete;
    TRawPacketReader& operator=(const TRawPacketReader&) = delete;

    // headerSql returns ADMMC rows (MC001 among its columns).
    TRawPacket Read(const std::string& headerSql);

private:
    sqlite3_stmt* Prepared(const std::string& sql, std::string& error);

    sqlite3* db_;
    std::map<std::string, sqlite3_stmt*> statements_;
};
