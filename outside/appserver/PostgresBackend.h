#pragma once
// A company database in a schema of a PostgreSQL database (libpq). A creator connection makes the
// schema with the company tables and the demo data when it is not there (once, under an advisory lock,
// so that two servers creating a new company at once do not both create it); owner and reader
// connections open an existing company only (EDatabaseMissing otherwise), and a reader works in
// read-only transactions. Unquoted names fold to lower case on the server; the connection gives
// the columns back as the company's schema spells them (PostgresValues.h).
//
// Once set up, a connection works as the company's own role "tdef_<schema>" (NOLOGIN, created with the
// schema, or when missing by a login that may create roles): it may read and write the company's
// tables and nothing else, so that a statement from a client reaches only the company's data. Every
// statement follows PostgresRules.h, runs under the server's statement time limit, waits for locks no
// longer than the server's lock wait, and is cancelled when the session is (CallCancel.h).
#include <memory>

#include "outside/appserver/DatabaseBackend.h"

struct pg_conn;
struct pg_result;
struct pg_cancel;
class TCallInterrupt;

// A result that frees itself.
struct PgResultPtr {
    pg_result* get = nullptr;
    PgResultPtr() = default;
    explicit PgResultPtr(pg_result* r) : get(r) {}
    PgResultPtr(PgResultPtr&& o) noexcept : get(o.get) { o.get = nullptr; }
    explicit operator bool() const { return get != nullptr; }
    PgResultPtr& operator=(PgResultPtr&& o) noexcept;
    ~PgResultPtr();
};

class PostgresBackend : public DatabaseBackend {
public:
    // connection: a libpq connection string; schema: a plain name ([a-z_][a-z0-9_]*, folded to lower
    // case). Raises EDatabaseError with the server's message.
    PostgresBackend(const std::string& connection, const std::string& schema, BackendAccess access);
    ~PostgresBackend() override;
    PostgresBackend(const PostgresBackend&) = delete;
    PostgresBackend& operator=(const PostgresBackend&) = delete;

    SqlDialect Dialect() const override { return SqlDialect::PostgreSQL; }
    SqlResult Query(const std::string& sql, const std::vector<Variant>& params) override;
    std::unique_ptr<SqlStatement> Prepare(const std::string& sql) override;
    void InTransaction(const std::function<void()>& work) override;
    // An error aborts the whole transaction in PostgreSQL: the work runs under a savepoint.
    void Attempt(const std::function<void()>& work) override { InTransaction(work); }
    std::vector<SqlColumnInfo> Columns(const std::string& table) override;
    bool RollBackOpenTransaction() override;

    bool Broken() const override;
    bool Reader() const { return reader_; }
    bool TransactionOpen() const;
    // Runs a command without parameters; raises EDatabaseError on failure.
    void Command(const std::string& sql);
    // Raises EDatabaseError for a result that failed ("" what: the server's message alone; a limit that
    // stopped the statement is named instead).
    void Check(const PgResultPtr& result, const std::string& what = "") const;
    // The company's role (see above).
    static std::string RoleFor(const std::string& schema) { return "tdef_" + schema.substr(0, 58); }
    pg_conn* Connection() const { return conn_; }
    // A name for the next server-side prepared statement or cursor.
    std::string NextName(const char* kind) { return std::string("tdef_") + kind + std::to_string(++names_); }

private:
    void CreateWhenNew();
    void PrepareRole();
    void EnsureRole();
    void ApplyLimits();
    std::string LimitMessage(const char* state) const;
    SqlResult Rows(const std::string& statement, PgResultPtr& failed);
    void RequireCompany();

    pg_conn* conn_ = nullptr;
    std::string schema_;
    bool reader_;
    long long names_ = 0;
    pg_cancel* cancel_ = nullptr;
    std::unique_ptr<TCallInterrupt> interrupt_;
};
