#pragma once
// The raw PostgreSQL baselines of the remote benchmarks, with libpq on a connection of its own whose
// search path is the company's schema: the first packet of documents (the header statement, then the
// field lines of its headers in one statement) and a document save (prepared inserts in one
// transaction), the same rows the raw SQLite baselines read and write.
#include <libpq-fe.h>

#include <string>

#include "bench/company/RawPacket.h"

class TRawPostgres {
public:
    // Raises Exception with the server's message when the connection fails.
    TRawPostgres(const std::string& connection, const std::string& schema);
    ~TRawPostgres();
    TRawPostgres(const TRawPostgres&) = delete;
    TRawPostgres& operator=(const TRawPostgres&) = delete;

    TRawPacket ReadPacket(const std::string& headerSql);
    // Inserts document key with lines numbered 0001...; "" on success, else the server's message.
    std::string InsertDocument(const std::string& key, int lines);
    // Runs one statement; "" on success, else the server's message.
    std::string Run(const char* sql);

private:
    PGconn* conn_ = nullptr;
    bool prepared_ = false;
};
