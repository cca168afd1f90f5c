#pragma once
// The raw baseline of a first packet of documents: the header statement as given, then the field lines
// (ADMMD) of the headers it returned, read with one prepared statement for all their keys, every column
// read as a program showing them would. The same rows a provider's packet carries, bodies included.
#include <sqlite3.h>

#include <cstddef>
#include <string>

struct TRawPacket {
    long long headers = 0;
    long long lines = 0;
    std::size_t bytes = 0;  // text read, so that nothing is optimised away
    std::string error;      // the database's message; empty on success
};

// headerSql returns ADMMC rows (MC001 among its columns).
TRawPacket ReadRawPacket(sqlite3* db, const std::string& headerSql);
