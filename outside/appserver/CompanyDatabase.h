#pragma once
// One connection to a company database. Where the database lives decides the backend (DatabaseBackend.h):
//   a file path                an SQLite file (the default)
//   "postgresql:<schema>"      a schema of the PostgreSQL database named by the connection string in
//                              TDEF_POSTGRESQL, or else the registry value PostgreSQL
// Either is created (with the demo company) only when asked: Create, or the demo installation's
// database (DemoDatabaseName). Opening a company that is not there raises EDatabaseMissing. Values travel as
// Variants; statements take bound parameters ("?"); text from clients is translated to the backend's
// dialect with Translator().
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "outside/appserver/DatabaseBackend.h"
#include "outside/appserver/SqlResult.h"
#include "outside/appserver/SqlStatement.h"
#include "outside/appserver/SqlTranslator.h"
#include "toolkit/rtl/Variant.h"
#include "toolkit/rtl/Visibility.h"

inline constexpr const char* kPostgresPrefix = "postgresql:";

class TK_EXPORT CompanyDatabase {
public:
    // Where the database of that name lives: with a PostgreSQL connection configured "postgresql:" + the
    // name in lower case, otherwise the registry value
    // ServerPath + "Data/" + name + ".db". Raises EDatabaseError for a name that is not a plain file name
    // or when no setting says where databases live.
    static std::string PathFor(const std::string& databaseName);
    // The configured PostgreSQL connection string (TDEF_POSTGRESQL, else the registry value
    // PostgreSQL); "" when none.
    static std::string PostgresConnection();

    // The database the demo installation asks to have created when it is missing (the registry value
    // DemoDatabase); "" when none.
    static std::string DemoDatabaseName();

    // Opens the company database at the location. Raises EDatabaseMissing when no company is there,
    // EDatabaseError with the database's message for other failures. A reader connection never writes
    // (the providers' cursors read through their own connections, so that a cursor's snapshot never
    // stands in the way of a write); a creator connection first creates the company with the demo
    // company's rows when the location holds none.
    enum class Role {
        Owner,
        Reader,
        Creator
    };
    explicit CompanyDatabase(const std::string& location, Role role = Role::Owner);
    // Creates the company at the location when it holds none; true when it did.
    static bool Create(const std::string& location);
    // True when this connection created the company (Role::Creator on a location that held none).
    bool Created() const { return backend_->Created(); }
    ~CompanyDatabase();
    CompanyDatabase(const CompanyDatabase&) = delete;
    CompanyDatabase& operator=(const CompanyDatabase&) = delete;

    // The location it was opened with.
    const std::string& Path() const { return path_; }
    SqlDialect Dialect() const { return backend_->Dialect(); }
    const SqlTranslator& Translator() const { return translator_; }
    // True once the connection to the database server is lost (a restarted server): open it again.
    bool Broken() const { return backend_->Broken(); }

    // Runs exactly one statement (a second one in the text is refused), under the backend's rules for
    // statements from outside (SqliteGuard.h, PostgresBackend.h); "?" parameters are bound from params
    // (missing ones are null). Raises EDatabaseError with the message the user reads.
    SqlResult Query(const std::string& sql, const std::vector<Variant>& params = {});
    // Rolls back a transaction left open; true when there was one.
    bool RollBackOpenTransaction() { return backend_->RollBackOpenTransaction(); }

    // Runs the work inside one transaction (a savepoint when one is already open): committed when the
    // work returns, rolled back when it raises; the exception passes on.
    void InTransaction(const std::function<void()>& work) { backend_->InTransaction(work); }
    // Runs statements whose failure must not spoil the enclosing transaction (the failed statement is
    // undone, the transaction goes on); the exception passes on.
    void Attempt(const std::function<void()>& work) { backend_->Attempt(work); }

    // A prepared statement kept for this connection (the statements the server runs again and again).
    // References stay valid until ForgetStatements().
    SqlStatement& Cached(const std::string& sql);
    void ForgetStatements() { statements_.clear(); }
    std::size_t CachedCount() const { return statements_.size(); }

    // Runs a statement that answers one number (a count); the answer is remembered while the data stays
    // as it was, so that asking again after every open costs no scan.
    long long CountOf(const std::string& sql, const std::vector<Variant>& params);

    // The columns of a table (cached); empty for a table that does not exist.
    const std::vector<SqlColumnInfo>& Columns(const std::string& table);

private:
    std::string path_;
    std::unique_ptr<DatabaseBackend> backend_;
    SqlTranslator translator_;
    std::map<std::string, std::unique_ptr<SqlStatement>> statements_;
    std::map<std::string, std::vector<SqlColumnInfo>> columns_;
    struct Count {
        std::vector<Variant> params;
        DataStamp stamp;
        long long rows = 0;
    };
    std::map<std::string, Count> counts_;
};
