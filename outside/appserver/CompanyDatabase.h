#pragma once
// One connection to a company database: an SQLite file, created from the embedded schema and demo data
// the first time it is opened. WAL journal, foreign keys on, a busy timeout so that several work
// centers and servers can share the file. Values travel as Variants; statements take bound parameters.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "outside/appserver/SqlStatement.h"
#include "toolkit/rtl/Variant.h"

struct sqlite3;
struct sqlite3_stmt;

using SqlRow = std::vector<Variant>;

struct SqlResult {
    std::vector<std::string> columns;   // names as the statement gives them (aliases when present)
    std::vector<SqlRow> rows;
    int changes = 0;                    // rows written by the statements

    // Index of a column by name, case-insensitive; a name qualified by "table." matches its last part.
    // -1 when absent.
    int ColumnIndex(const std::string& name) const;
};

// A column of a table as the database declares it.
struct SqlColumnInfo {
    std::string name;
    std::string type;   // declared type, e.g. "varchar(10)"
    bool notNull = false;
    bool hasDefault = false;
    int keyPosition = 0;   // 1-based position in the primary key, 0 when not part of it
};

class CompanyDatabase {
public:
    // Where the database of that name lives: the file named by TDEF_COMPANY_DB when set, otherwise the
    // registry value ServerPath + "Data/" + name + ".db". Raises EDatabaseError for a name that is not a
    // plain file name or when neither setting exists.
    static std::string PathFor(const std::string& databaseName);

    // Opens (and on first use creates and seeds) the file. Raises EDatabaseError with SQLite's message.
    // A reader connection neither creates the file nor writes (the providers' cursors read through
    // their own connections, so that a cursor's snapshot never stands in the way of a write).
    enum class Role { Owner, Reader };
    explicit CompanyDatabase(const std::string& path, Role role = Role::Owner);
    ~CompanyDatabase();
    CompanyDatabase(const CompanyDatabase&) = delete;
    CompanyDatabase& operator=(const CompanyDatabase&) = delete;

    const std::string& Path() const { return path_; }

    // Runs every statement of the text in turn; "?" parameters of the first statement are bound from
    // params (missing ones are null). Rows come from the first statement that returns columns.
    // Raises EDatabaseError with the database's message.
    SqlResult Query(const std::string& sql, const std::vector<Variant>& params = {});

    // Runs the work inside one transaction (a savepoint when one is already open): committed when the
    // work returns, rolled back when it raises; the exception passes on.
    void InTransaction(const std::function<void()>& work);

    // A prepared statement kept for this connection (the statements the server runs again and again).
    // References stay valid until ForgetStatements().
    SqlStatement& Cached(const std::string& sql);
    void ForgetStatements() { statements_.clear(); }
    std::size_t CachedCount() const { return statements_.size(); }

    // The columns of a table (cached); empty for a table that does not exist.
    const std::vector<SqlColumnInfo>& Columns(const std::string& table);

    sqlite3* Handle() const { return db_; }

private:
    void Configure();
    void CreateWhenNew();
    [[noreturn]] void Fail(const std::string& what) const;

    std::string path_;
    sqlite3* db_ = nullptr;
    std::map<std::string, std::unique_ptr<SqlStatement>> statements_;
    std::map<std::string, std::vector<SqlColumnInfo>> columns_;
};
