#pragma once
// A prepared SQLite statement (SqlStatement.h) and the values between Variants and SQLite, shared by
// every statement of an SQLite company database.
#include "outside/appserver/SqlStatement.h"

struct sqlite3;
struct sqlite3_stmt;
class SqliteGuard;

class SqliteStatement : public SqlStatement {
public:
    // Exactly one statement, under the connection's rules (SqliteGuard.h).
    SqliteStatement(sqlite3* db, SqliteGuard& guard, const std::string& sql);
    ~SqliteStatement() override;
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    const std::string& Sql() const override { return sql_; }
    void Bind(const std::vector<Variant>& params) override;
    bool Step() override;
    int Execute(const std::vector<Variant>& params = {}) override;
    int ExecuteInPlace(const std::vector<const Variant*>& params) override;
    void Reset() override;
    int ColumnCount() const override;
    std::string ColumnName(int i) const override;
    std::string DeclaredType(int i) const override;
    Variant Column(int i) const override;
    void ReadColumns(Variant* out, int count) const override;
    bool ReadOnly() const override;

private:
    [[noreturn]] void Fail(int rc) const;
    // Binds the count given values, value(i) for i from 0; the missing ones stay null. In place: the
    // texts are read where the values lie (the statement must run before they go).
    template <class ValueAt>
    void BindEach(std::size_t given, ValueAt value, bool inPlace);
    int RunToEnd();  // the number of rows changed; the bindings are let go

    sqlite3* db_;
    SqliteGuard& guard_;
    sqlite3_stmt* stmt_ = nullptr;
    std::string sql_;
    std::vector<std::string> held_;  // the bound texts, read by SQLite in place
};

Variant SqliteColumnValue(sqlite3_stmt* st, int i);
void SqliteReadColumn(sqlite3_stmt* st, int i, Variant& out);  // written in place: a text reuses out's room
// held: where a text is kept while SQLite reads it in place (room reserved for every parameter); null
// lets SQLite copy it.
int SqliteBindValue(sqlite3_stmt* st, int index, const Variant& v, std::vector<std::string>* held = nullptr);
// Binds a text where the value holds it: the value must outlive the statement's use of it.
int SqliteBindInPlace(sqlite3_stmt* st, int index, const Variant& v);
