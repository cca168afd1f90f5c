#include "outside/appserver/SqliteBackend.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "data/Embedded.h"
#include "outside/appserver/SchemaDocuments.h"
#include "outside/appserver/ServerLimits.h"
#include "outside/appserver/SqliteFunctions.h"
#include "outside/appserver/SqliteGuard.h"
#include "outside/appserver/SqliteStatement.h"

namespace {

// Frees a prepared statement on every path out.
struct Statement {
    sqlite3_stmt* handle = nullptr;
    ~Statement() { sqlite3_finalize(handle); }
};

}  // namespace

SqliteBackend::SqliteBackend(const std::string& path, BackendAccess access) : path_(path) {
    // No per-connection mutex: a connection belongs to one application server (or one of its cursor
    // readers), and each server is used by one thread at a time (a nexord session's thread, or the
    // client's thread in process). sqlite3_interrupt, the only call from another thread (a session's
    // cancellation), takes no mutex. Locking around every column read cost more than the read.
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (access == BackendAccess::Creator) {
        std::filesystem::path parent = std::filesystem::path(path).parent_path();
        std::error_code ignored;
        if (!parent.empty()) std::filesystem::create_directories(parent, ignored);
        flags |= SQLITE_OPEN_CREATE;
    } else if (path != ":memory:" && !std::filesystem::exists(path)) {
        throw EDatabaseMissing("No company database " + path);
    }
    int rc = sqlite3_open_v2(path.c_str(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close(db_);
        db_ = nullptr;
        throw EDatabaseError("Cannot open " + path + ": " + message);
    }
    try {
        guard_ = std::make_unique<SqliteGuard>(db_);
        SqliteGuard::Trusted own(*guard_);
        Configure();
        if (access == BackendAccess::Creator)
            CreateWhenNew();
        else
            RequireCompany();
        if (access == BackendAccess::Reader && sqlite3_exec(db_, "PRAGMA query_only=1;", nullptr, nullptr, nullptr) != SQLITE_OK)
            Fail("Cannot configure " + path_);
    } catch (...) {
        guard_.reset();
        sqlite3_close(db_);
        db_ = nullptr;
        throw;
    }
}

SqliteBackend::~SqliteBackend() {
    sqlite3_finalize(dataVersion_);
    sqlite3_finalize(schemaVersion_);
    guard_.reset();
    sqlite3_close(db_);
}

std::unique_ptr<SqlStatement> SqliteBackend::Prepare(const std::string& sql) {
    return std::make_unique<SqliteStatement>(db_, *guard_, sql);
}

std::optional<DataStamp> SqliteBackend::Stamp() {
    // The data version moves with other connections' commits, the total of changes with this one's.
    // Inside a transaction there is no stamp: a rollback takes changes back without counting.
    if (!sqlite3_get_autocommit(db_)) return std::nullopt;
    SqliteGuard::Trusted own(*guard_);
    // Plain pragmas, each prepared once: their table-valued forms would be prepared anew on every run.
    auto read = [&](sqlite3_stmt*& st, const char* sql) -> std::optional<long long> {
        if (!st && sqlite3_prepare_v2(db_, sql, -1, &st, nullptr) != SQLITE_OK) return std::nullopt;
        std::optional<long long> value;
        if (sqlite3_step(st) == SQLITE_ROW) value = sqlite3_column_int64(st, 0);
        sqlite3_reset(st);
        return value;
    };
    const std::optional<long long> data = read(dataVersion_, "PRAGMA data_version");
    const std::optional<long long> schema = read(schemaVersion_, "PRAGMA schema_version");
    if (!data || !schema) return std::nullopt;
    return DataStamp{sqlite3_total_changes64(db_), *data, *schema};
}

void SqliteBackend::Exec(const char* sql) {
    SqliteGuard::Trusted own(*guard_);
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) Fail("");
}

bool SqliteBackend::RollBackOpenTransaction() {
    if (sqlite3_get_autocommit(db_)) return false;
    SqliteGuard::Trusted own(*guard_);
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    return true;
}

std::vector<SqlColumnInfo> SqliteBackend::Columns(const std::string& table) {
    std::vector<SqlColumnInfo> columns;
    SqliteGuard::Trusted own(*guard_);
    SqlResult r = Query("SELECT name, type, \"notnull\", dflt_value, pk FROM pragma_table_info(?)", {table});
    for (const SqlRow& row : r.rows)
        columns.push_back({row[0].AsString(), VarToStr(row[1]), row[2].AsInteger() != 0, !row[3].IsNull(), row[4].AsInteger()});
    return columns;
}

void SqliteBackend::Fail(const std::string& what) const {
    throw EDatabaseError(what.empty() ? std::string(sqlite3_errmsg(db_)) : what + ": " + sqlite3_errmsg(db_));
}

void SqliteBackend::Configure() {
    sqlite3_extended_result_codes(db_, 0);
    // WAL lets readers go on while one writer works; it needs a real file (":memory:" stays in memory mode).
    // Switching a new file to WAL needs the file to itself, and the busy handler does not wait for that:
    // a server that opens the file at the same moment as another waits its turn here.
    for (int waited = 0;; waited += 10) {
        int rc = sqlite3_exec(db_, "PRAGMA journal_mode=WAL;", nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) break;
        if (rc != SQLITE_BUSY || waited >= 10000) Fail("Cannot configure " + path_);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (sqlite3_exec(db_, "PRAGMA foreign_keys=ON;", nullptr, nullptr, nullptr) != SQLITE_OK) Fail("Cannot configure " + path_);
    RegisterSqliteFunctions(db_);
}

void SqliteBackend::CreateWhenNew() {
    // user_version 0 means an empty file. Checked inside the write lock so that two processes opening a
    // new file at once create it only once.
    InTransaction([&] {
        SqlResult version = Query("PRAGMA user_version", {});
        if (!version.rows.empty() && version.rows[0][0].AsInteger() != 0) return;
        if (sqlite3_exec(db_, std::string(kSchemaSql).c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
            Fail("Cannot create the company tables");
        if (sqlite3_exec(db_, DemoCompanySql().c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
            Fail("Cannot load the demo company");
        Query("PRAGMA user_version = 1", {});
        created_ = true;
    });
}

void SqliteBackend::RequireCompany() {
    // An empty file (or one another program made) holds no company.
    SqlResult version = Query("PRAGMA user_version", {});
    if (version.rows.empty() || version.rows[0][0].AsInteger() == 0) throw EDatabaseMissing("No company database in " + path_);
}

SqlResult SqliteBackend::Query(const std::string& sql, const std::vector<Variant>& params) {
    Statement st;
    st.handle = guard_->PrepareOne(sql);
    auto fail = [&](int rc) { throw EDatabaseError(guard_->Explain(rc)); };
    int count = sqlite3_bind_parameter_count(st.handle);
    // The texts are read where the parameters hold them: the statement is gone before they are.
    const int given = std::min(count, static_cast<int>(params.size()));
    for (int i = 1; i <= given; ++i)
        if (int rc = SqliteBindInPlace(st.handle, i, params[static_cast<std::size_t>(i - 1)]); rc != SQLITE_OK) fail(rc);
    SqlResult result;
    int columns = sqlite3_column_count(st.handle);
    for (int i = 0; i < columns; ++i) result.columns.emplace_back(sqlite3_column_name(st.handle, i));
    const long long maxRows = Limits().maxRows;
    guard_->Arm();
    int rc;
    while ((rc = sqlite3_step(st.handle)) == SQLITE_ROW) {
        if (maxRows > 0 && static_cast<long long>(result.rows.size()) >= maxRows) throw EDatabaseError(Limits().TooManyRows());
        SqlRow row;
        row.reserve(static_cast<std::size_t>(columns));
        for (int i = 0; i < columns; ++i) row.push_back(SqliteColumnValue(st.handle, i));
        result.rows.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE) fail(rc);
    if (columns == 0) result.changes = sqlite3_changes(db_);
    return result;
}

void SqliteBackend::InTransaction(const std::function<void()>& work) {
    bool outer = sqlite3_get_autocommit(db_) != 0;
    // IMMEDIATE takes the write lock at once: a deferred transaction that upgrades later can fail with
    // "database is locked" without waiting.
    const char* begin = outer ? "BEGIN IMMEDIATE" : "SAVEPOINT tdef_nested";
    const char* commit = outer ? "COMMIT" : "RELEASE tdef_nested";
    const char* rollback = outer ? "ROLLBACK" : "ROLLBACK TO tdef_nested; RELEASE tdef_nested";
    guard_->Arm();
    {
        SqliteGuard::Trusted own(*guard_);
        if (int rc = sqlite3_exec(db_, begin, nullptr, nullptr, nullptr); rc != SQLITE_OK)
            throw EDatabaseError(guard_->Explain(rc));
    }
    try {
        work();
        Exec(commit);
    } catch (...) {
        // A failed COMMIT may already have ended the transaction; rolling back then is harmless.
        if (!sqlite3_get_autocommit(db_) || !outer) {
            SqliteGuard::Trusted own(*guard_);
            sqlite3_exec(db_, rollback, nullptr, nullptr, nullptr);
        }
        throw;
    }
}
