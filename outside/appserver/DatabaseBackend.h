#pragma once
// The seam between the application server and the database product that keeps a company: the
// connection operations the server uses. CompanyDatabase chooses the backend from the database's
// location and adds the caches; SQLite (SqliteBackend.h) and PostgreSQL (PostgresBackend.h) implement it.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "outside/appserver/SqlResult.h"
#include "outside/appserver/SqlStatement.h"
#include "outside/appserver/SqlTranslator.h"
#include "toolkit/rtl/Exception.h"

// How a connection opens a company: read only, read and write an existing company, or create the
// company (its tables and the demo company's rows) when it is not there yet.
enum class BackendAccess {
    Reader,
    Owner,
    Creator
};

// The company is not there: no file, an empty file, a schema without the company's tables.
TK_DECLARE_EXCEPTION(EDatabaseMissing, EDatabaseError)

// What a connection can tell of the state of the company's data: two equal stamps mean nothing was
// written in between, by this connection or any other.
struct DataStamp {
    long long own = 0;     // changes made through this connection
    long long others = 0;  // commits of other connections
    long long schema = 0;  // changes of the tables themselves
    bool operator==(const DataStamp&) const = default;
};

class DatabaseBackend {
public:
    virtual ~DatabaseBackend() = default;

    virtual SqlDialect Dialect() const = 0;
    // Runs exactly one statement (a second one in the text is refused); "?" parameters are bound from
    // params (missing ones are null). Raises EDatabaseError.
    virtual SqlResult Query(const std::string& sql, const std::vector<Variant>& params) = 0;
    // Exactly one statement; more than one, or none, raises EDatabaseError.
    virtual std::unique_ptr<SqlStatement> Prepare(const std::string& sql) = 0;
    // The work inside one transaction (a savepoint when one is already open): committed when the work
    // returns, rolled back when it raises; the exception passes on.
    virtual void InTransaction(const std::function<void()>& work) = 0;
    // Runs statements whose failure must leave the enclosing transaction usable: the failed statement
    // is undone and the transaction goes on. The exception passes on.
    virtual void Attempt(const std::function<void()>& work) = 0;
    // True once the connection to a database server is lost; the connection is of no further use.
    virtual bool Broken() const { return false; }
    // The columns of a table in their order; empty for a table that does not exist.
    virtual std::vector<SqlColumnInfo> Columns(const std::string& table) = 0;
    // Rolls back a transaction that is still open (a call must not leave one behind); true when there
    // was one.
    virtual bool RollBackOpenTransaction() = 0;
    // The stamp of the data now; none when the database cannot tell it cheaply or a transaction is open.
    virtual std::optional<DataStamp> Stamp() { return std::nullopt; }
    // True when this connection created the company (BackendAccess::Creator on a new location).
    bool Created() const { return created_; }

protected:
    bool created_ = false;
};
