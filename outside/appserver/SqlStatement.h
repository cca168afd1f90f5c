#pragma once
// One prepared SQLite statement with Variant values: bound parameters in, rows out. Prepared once and
// run many times (the cursors of the providers and the statements of delta application).
#include <string>
#include <vector>

#include "toolkit/rtl/Variant.h"

struct sqlite3;
struct sqlite3_stmt;

class SqlStatement {
public:
    // Prepares exactly one statement; more than one, or none, raises EDatabaseError.
    SqlStatement(sqlite3* db, const std::string& sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    const std::string& Sql() const { return sql_; }
    // Resets the statement and binds the values to its "?" parameters in order (missing ones are null).
    void Bind(const std::vector<Variant>& params);
    // Steps once: true when a row is ready. Raises EDatabaseError with the database's message.
    bool Step();
    // Runs a statement that returns no rows; the number of rows it changed.
    int Execute(const std::vector<Variant>& params = {});
    void Reset();

    int ColumnCount() const;
    std::string ColumnName(int i) const;
    std::string DeclaredType(int i) const;   // "" for expressions
    Variant Column(int i) const;
    std::vector<Variant> Row() const;
    bool ReadOnly() const;

private:
    [[noreturn]] void Fail() const;

    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    std::string sql_;
};

// Values between Variants and SQLite, shared by every statement of the company database.
Variant SqlColumnValue(sqlite3_stmt* st, int i);
int SqlBindValue(sqlite3_stmt* st, int index, const Variant& v);
