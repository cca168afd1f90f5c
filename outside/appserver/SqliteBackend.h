#pragma once
// A company database in one SQLite file. A creator connection makes a new file from the embedded schema
// and demo data; owner and reader connections open an existing company only (EDatabaseMissing
// otherwise), and a reader never writes. WAL journal, foreign keys on, a bounded wait for another writer
// so that several work centers and servers can share the file. Statements run one at a time under the
// rules and limits of SqliteGuard.h.
#include <memory>

#include "outside/appserver/DatabaseBackend.h"

struct sqlite3;
struct sqlite3_stmt;
class SqliteGuard;

class SqliteBackend : public DatabaseBackend {
public:
    // Raises EDatabaseError with SQLite's message.
    SqliteBackend(const std::string& path, BackendAccess access);
    ~SqliteBackend() override;
    SqliteBackend(const SqliteBackend&) = delete;
    SqliteBackend& operator=(const SqliteBackend&) = delete;

    SqlDialect Dialect() const override { return SqlDialect::SQLite; }
    SqlResult Query(const std::string& sql, const std::vector<Variant>& params) override;
    std::unique_ptr<SqlStatement> Prepare(const std::string& sql) override;
    void InTransaction(const std::function<void()>& work) override;
    // SQLite undoes a failed statement by itself and keeps the transaction.
    void Attempt(const std::function<void()>& work) override { work(); }
    std::vector<SqlColumnInfo> Columns(const std::string& table) override;
    bool RollBackOpenTransaction() override;
    std::optional<DataStamp> Stamp() override;

private:
    void Configure();
    void CreateWhenNew();
    void RequireCompany();
    [[noreturn]] void Fail(const std::string& what) const;
    void Exec(const char* sql);  // the backend's own statements, free of the rules

    std::string path_;
    sqlite3* db_ = nullptr;
    std::unique_ptr<SqliteGuard> guard_;
    sqlite3_stmt* dataVersion_ = nullptr;  // for Stamp
    sqlite3_stmt* schemaVersion_ = nullptr;
};
