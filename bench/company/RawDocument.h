#pragma once
// The raw baseline of a document save: one header (ADMMC) and its field lines (ADMMD) inserted with
// prepared SQLite statements in one transaction, the columns a save through the window writes.
#include <sqlite3.h>

#include <string>

class TRawDocumentWriter {
public:
    explicit TRawDocumentWriter(sqlite3* db);
    ~TRawDocumentWriter();
    TRawDocumentWriter(const TRawDocumentWriter&) = delete;
    TRawDocumentWriter& operator=(const TRawDocumentWriter&) = delete;

    // Inserts document key with lines numbered 0001...; "" on success, else the database's message.
    std::string Insert(const std::string& key, int lines);

private:
    sqlite3* db_;
    sqlite3_stmt* header_ = nullptr;
    sqlite3_stmt* line_ = nullptr;
};

// The line number text of the generated lines ("%.4d").
std::string RawLineNumber(int n);
