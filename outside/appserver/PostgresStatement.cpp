#include "outside/appserver/PostgresStatement.h"

#include <libpq-fe.h>

#include <cstdlib>

#include "outside/appserver/PostgresRules.h"
#include "outside/appserver/SqlTokens.h"
#include "outside/appserver/SqlTranslator.h"

namespace {

bool StartsAQuery(const std::vector<Token>& tokens) {
    for (const Token& t : tokens) {
        if (IsBlank(t) || IsPunct(t, "(")) continue;
        return IsWord(t, "SELECT") || IsWord(t, "VALUES") || IsWord(t, "WITH");
    }
    return false;
}

}  // namespace

PostgresStatement::PostgresStatement(PostgresBackend& backend, const std::string& sql) : backend_(backend), sql_(sql) {
    std::vector<Token> tokens = Tokenize(CheckedPostgresStatement(sql));
    for (const Token& t : tokens) paramCount_ += IsPunct(t, "?");
    readOnly_ = StartsAQuery(tokens);
    text_ = NumberedParameters(JoinTokens(tokens));
    name_ = backend_.NextName("s");
    pg_conn* conn = backend_.Connection();
    PgResultPtr prepared(PQprepare(conn, name_.c_str(), text_.c_str(), 0, nullptr));
    const char* state = prepared.get ? PQresultErrorField(prepared.get, PG_DIAG_SQLSTATE) : nullptr;
    if (state && std::string(state) == "42P18") {
        // Markers the server cannot type from where they stand are taken as text.
        std::vector<PgOid> text(static_cast<std::size_t>(paramCount_), 25);
        prepared = PgResultPtr(PQprepare(conn, name_.c_str(), text_.c_str(), paramCount_, text.data()));
    }
    backend_.Check(prepared);
    PgResultPtr described(PQdescribePrepared(conn, name_.c_str()));
    backend_.Check(described);
    paramCount_ = PQnparams(described.get);
    for (int i = 0; i < PQnfields(described.get); ++i) {
        names_.push_back(PgColumnName(PQfname(described.get, i), sql_));
        oids_.push_back(PQftype(described.get, i));
        // Only columns read straight from a table have a declared type, as in SQLite.
        types_.push_back(PQftable(described.get, i) == 0 ? "" : PgTypeName(PQftype(described.get, i), PQfmod(described.get, i)));
    }
}

PostgresStatement::~PostgresStatement() {
    try {
        Reset();
        if (PQstatus(backend_.Connection()) == CONNECTION_OK && PQtransactionStatus(backend_.Connection()) != PQTRANS_INERROR)
            PgResultPtr(PQexec(backend_.Connection(), ("DEALLOCATE " + name_).c_str()));
    } catch (...) {
        // A connection that went away has forgotten the statement already.
    }
}

void PostgresStatement::Bind(const std::vector<Variant>& params) {
    Reset();
    params_.Set(params, paramCount_);
}

PgResultPtr PostgresStatement::Run() {
    return PgResultPtr(PQexecPrepared(backend_.Connection(), name_.c_str(), paramCount_, params_.pointers.data(),
                                      params_.lengths.data(), params_.formats.data(), 0));
}

void PostgresStatement::Open() {
    running_ = true;
    row_ = -1;
    if (!(readOnly_ && backend_.Reader() && !backend_.TransactionOpen())) {
        rows_ = Run();
        backend_.Check(rows_);
        return;
    }
    // A snapshot of its own, as an SQLite reader has while its statement runs.
    backend_.Command("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
    ownsTransaction_ = true;
    std::string cursor = backend_.NextName("c");
    std::string declare = "DECLARE " + cursor + " NO SCROLL CURSOR FOR " + text_;
    PgResultPtr declared(PQexecParams(backend_.Connection(), declare.c_str(), paramCount_, params_.types.data(),
                                      params_.pointers.data(), params_.lengths.data(), params_.formats.data(), 0));
    backend_.Check(declared);
    cursor_ = cursor;
    Fetch();
}

bool PostgresStatement::Fetch() {
    rows_ = PgResultPtr(PQexec(backend_.Connection(), ("FETCH " + std::to_string(kBatch) + " FROM " + cursor_).c_str()));
    backend_.Check(rows_);
    row_ = -1;
    return PQntuples(rows_.get) > 0;
}

bool PostgresStatement::Step() {
    try {
        if (!running_) Open();
        if (!rows_.get) return false;
        if (++row_ < PQntuples(rows_.get)) return true;
        // A full batch may have more behind it.
        if (!cursor_.empty() && PQntuples(rows_.get) == kBatch && Fetch()) return ++row_ < PQntuples(rows_.get);
        rows_ = PgResultPtr();
        return false;
    } catch (...) {
        Reset();
        throw;
    }
}

int PostgresStatement::Execute(const std::vector<Variant>& params) {
    Bind(params);
    PgResultPtr r = Run();
    backend_.Check(r);
    const char* tuples = PQcmdTuples(r.get);
    return tuples && *tuples ? std::atoi(tuples) : 0;
}

void PostgresStatement::Reset() {
    rows_ = PgResultPtr();
    row_ = -1;
    running_ = false;
    pg_conn* conn = backend_.Connection();
    if (!cursor_.empty() && PQtransactionStatus(conn) == PQTRANS_INTRANS) PgResultPtr(PQexec(conn, ("CLOSE " + cursor_).c_str()));
    cursor_.clear();
    if (ownsTransaction_ && PQtransactionStatus(conn) != PQTRANS_IDLE) PgResultPtr(PQexec(conn, "ROLLBACK"));
    ownsTransaction_ = false;
}

std::string PostgresStatement::ColumnName(int i) const { return names_.at(static_cast<std::size_t>(i)); }

std::string PostgresStatement::DeclaredType(int i) const { return types_.at(static_cast<std::size_t>(i)); }

Variant PostgresStatement::Column(int i) const {
    if (!rows_.get || row_ < 0 || row_ >= PQntuples(rows_.get) || i < 0 || i >= PQnfields(rows_.get)) return Variant::Null();
    if (PQgetisnull(rows_.get, row_, i)) return Variant::Null();
    return PgValue(PQgetvalue(rows_.get, row_, i), PQgetlength(rows_.get, row_, i), oids_[static_cast<std::size_t>(i)]);
}
