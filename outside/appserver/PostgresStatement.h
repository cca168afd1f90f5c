#pragma once
// A statement prepared on a PostgreSQL connection. A run that is stepped on a reader connection outside
// any transaction reads through a cursor in a read-only snapshot, a batch of rows at a time, so that a
// provider's rows are never all fetched before the first packet; every other run fetches its rows at once.
#include <vector>

#include "outside/appserver/PostgresBackend.h"
#include "outside/appserver/PostgresValues.h"
#include "outside/appserver/SqlStatement.h"

class PostgresStatement : public SqlStatement {
public:
    static constexpr int kBatch = 200;  // rows a cursor fetches at a time

    // Prepares exactly one statement; more than one, or none, raises EDatabaseError.
    PostgresStatement(PostgresBackend& backend, const std::string& sql);
    ~PostgresStatement() override;
    PostgresStatement(const PostgresStatement&) = delete;
    PostgresStatement& operator=(const PostgresStatement&) = delete;

    const std::string& Sql() const override { return sql_; }
    void Bind(const std::vector<Variant>& params) override;
    bool Step() override;
    int Execute(const std::vector<Variant>& params = {}) override;
    void Reset() override;
    int ColumnCount() const override { return static_cast<int>(names_.size()); }
    std::string ColumnName(int i) const override;
    std::string DeclaredType(int i) const override;
    Variant Column(int i) const override;
    bool ReadOnly() const override { return readOnly_; }

private:
    PgResultPtr Run();
    void Open();
    bool Fetch();

    PostgresBackend& backend_;
    std::string sql_, text_, name_;
    int paramCount_ = 0;
    bool readOnly_ = false;
    std::vector<std::string> names_, types_;
    std::vector<PgOid> oids_;
    PgParams params_;

    bool running_ = false;  // a run has started (Step was called since Bind)
    std::string cursor_;    // the open cursor of this run, "" when none
    bool ownsTransaction_ = false;
    PgResultPtr rows_;
    int row_ = -1;
};
