#include "outside/appserver/PostgresBackend.h"

#include <libpq-fe.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "data/Embedded.h"
#include "outside/appserver/PostgresStatement.h"
#include "outside/appserver/PostgresValues.h"
#include "outside/appserver/SqlTokens.h"

namespace {

// Marks a schema that holds a complete company (the counterpart of SQLite's user_version).
const char* kCompanyMark = "tdef company 1";

std::string ValidSchema(const std::string& schema) {
    std::string s;
    for (char c : schema) s += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    bool ok = !s.empty() && s.size() < 64 && (std::islower(static_cast<unsigned char>(s[0])) || s[0] == '_');
    for (char c : s) ok = ok && (std::islower(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c)) || c == '_');
    if (!ok) throw EDatabaseError("Invalid PostgreSQL schema name: '" + schema + "'");
    return s;
}

// The statements of a text, split at the semicolons between them (not those inside literals).
std::vector<std::string> SplitStatements(const std::string& sql) {
    std::vector<std::string> out;
    std::string current;
    bool solid = false;
    for (const Token& t : Tokenize(sql)) {
        if (IsPunct(t, ";")) {
            if (solid) out.push_back(current);
            current.clear();
            solid = false;
            continue;
        }
        current += t.text;
        solid = solid || !IsBlank(t);
    }
    if (solid) out.push_back(current);
    return out;
}

void IgnoreNotice(void*, const char*) {}

// The zone of this process (TZ, else the zone /etc/localtime links to), so that the server's local time
// is the time SQLite's "localtime" gives; "" when unknown.
std::string LocalZone() {
    std::string zone;
    if (const char* tz = std::getenv("TZ"); tz && *tz) {
        zone = tz[0] == ':' ? tz + 1 : tz;
    } else {
        std::error_code failed;
        std::string target = std::filesystem::read_symlink("/etc/localtime", failed).string();
        if (auto at = target.find("zoneinfo/"); !failed && at != std::string::npos) zone = target.substr(at + 9);
    }
    for (char c : zone)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '/' && c != '_' && c != '-' && c != '+') return "";
    return zone;
}

}  // namespace

PgResultPtr& PgResultPtr::operator=(PgResultPtr&& o) noexcept {
    if (this != &o) {
        PQclear(get);
        get = o.get;
        o.get = nullptr;
    }
    return *this;
}

PgResultPtr::~PgResultPtr() { PQclear(get); }

PostgresBackend::PostgresBackend(const std::string& connection, const std::string& schema, BackendAccess access)
    : schema_(ValidSchema(schema)), reader_(access == BackendAccess::Reader) {
    conn_ = PQconnectdb(connection.c_str());
    if (PQstatus(conn_) != CONNECTION_OK) {
        std::string message = PQerrorMessage(conn_);
        while (!message.empty() && std::isspace(static_cast<unsigned char>(message.back()))) message.pop_back();
        PQfinish(conn_);
        conn_ = nullptr;
        throw EDatabaseError("Cannot connect to PostgreSQL: " + message);
    }
    PQsetNoticeProcessor(conn_, IgnoreNotice, nullptr);
    try {
        if (PQsetClientEncoding(conn_, "UTF8") != 0) Check(PgResultPtr(), "Cannot use UTF-8");
        Command("SET DateStyle TO ISO, YMD");
        // A zone the server does not know leaves the server's own.
        if (std::string zone = LocalZone(); !zone.empty()) PgResultPtr(PQexec(conn_, ("SET TimeZone TO '" + zone + "'").c_str()));
        Command("SET search_path TO " + schema_);
        if (access == BackendAccess::Creator)
            CreateWhenNew();
        else
            RequireCompany();
        if (reader_) Command("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY");
    } catch (...) {
        PQfinish(conn_);
        conn_ = nullptr;
        throw;
    }
}

PostgresBackend::~PostgresBackend() { PQfinish(conn_); }

bool PostgresBackend::Broken() const { return PQstatus(conn_) == CONNECTION_BAD; }

bool PostgresBackend::TransactionOpen() const { return PQtransactionStatus(conn_) != PQTRANS_IDLE; }

void PostgresBackend::Check(const PgResultPtr& result, const std::string& what) const {
    ExecStatusType status = result.get ? PQresultStatus(result.get) : PGRES_FATAL_ERROR;
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) return;
    std::string message;
    if (const char* primary = result.get ? PQresultErrorField(result.get, PG_DIAG_MESSAGE_PRIMARY) : nullptr)
        message = primary;
    else
        message = PQerrorMessage(conn_);
    while (!message.empty() && std::isspace(static_cast<unsigned char>(message.back()))) message.pop_back();
    throw EDatabaseError(what.empty() ? message : what + ": " + message);
}

void PostgresBackend::Command(const std::string& sql) { Check(PgResultPtr(PQexec(conn_, sql.c_str()))); }

void PostgresBackend::CreateWhenNew() {
    InTransaction([&] {
        // One creator per schema, however many servers open it at once.
        Query("SELECT pg_advisory_xact_lock(hashtext(?))", {Variant("tdef company " + schema_)});
        Command("CREATE SCHEMA IF NOT EXISTS " + schema_);
        SqlResult mark = Query("SELECT obj_description(to_regnamespace(?)::oid, 'pg_namespace')", {schema_});
        if (!mark.rows.empty() && VarToStr(mark.rows[0][0]) == kCompanyMark) return;
        Check(PgResultPtr(PQexec(conn_, std::string(kSchemaSql).c_str())), "Cannot create the company tables");
        Check(PgResultPtr(PQexec(conn_, std::string(kSeedSql).c_str())), "Cannot load the demo company");
        Command("COMMENT ON SCHEMA " + schema_ + " IS '" + kCompanyMark + "'");
        created_ = true;
    });
}

void PostgresBackend::RequireCompany() {
    SqlResult mark = Query("SELECT obj_description(to_regnamespace(?)::oid, 'pg_namespace')", {schema_});
    if (mark.rows.empty() || VarToStr(mark.rows[0][0]) != kCompanyMark)
        throw EDatabaseMissing("No company database in the PostgreSQL schema " + schema_);
}

SqlResult PostgresBackend::Query(const std::string& sql, const std::vector<Variant>& params) {
    SqlResult out;
    bool haveRows = false, first = true;
    for (const std::string& statement : SplitStatements(sql)) {
        // Values beyond the markers are ignored, missing ones are null, as SQLite binds them.
        int markers = 0;
        std::string text = NumberedParameters(statement, &markers);
        PgParams p;
        p.Set(first ? params : std::vector<Variant>{}, markers);
        first = false;
        PgResultPtr r(PQexecParams(conn_, text.c_str(), static_cast<int>(p.values.size()), p.types.data(),
                                   p.pointers.data(), p.lengths.data(), p.formats.data(), 0));
        // Markers the server cannot type from where they stand ("? IS NULL") are taken as text.
        const char* state = r.get ? PQresultErrorField(r.get, PG_DIAG_SQLSTATE) : nullptr;
        if (state && std::string(state) == "42P18" && !p.values.empty()) {
            p.TypeAsText();
            r = PgResultPtr(PQexecParams(conn_, text.c_str(), static_cast<int>(p.values.size()), p.types.data(),
                                         p.pointers.data(), p.lengths.data(), p.formats.data(), 0));
        }
        Check(r);
        int fields = PQnfields(r.get);
        if (PQresultStatus(r.get) == PGRES_COMMAND_OK) {
            const char* tuples = PQcmdTuples(r.get);
            out.changes += tuples && *tuples ? std::atoi(tuples) : 0;
            continue;
        }
        if (haveRows || fields == 0) continue;
        haveRows = true;
        for (int i = 0; i < fields; ++i) out.columns.push_back(PgColumnName(PQfname(r.get, i), statement));
        int rows = PQntuples(r.get);
        out.rows.reserve(static_cast<std::size_t>(rows));
        for (int row = 0; row < rows; ++row) {
            SqlRow values;
            values.reserve(static_cast<std::size_t>(fields));
            for (int i = 0; i < fields; ++i)
                values.push_back(PQgetisnull(r.get, row, i) ? Variant::Null()
                                                           : PgValue(PQgetvalue(r.get, row, i), PQgetlength(r.get, row, i), PQftype(r.get, i)));
            out.rows.push_back(std::move(values));
        }
    }
    return out;
}

std::unique_ptr<SqlStatement> PostgresBackend::Prepare(const std::string& sql) {
    return std::make_unique<PostgresStatement>(*this, sql);
}

void PostgresBackend::InTransaction(const std::function<void()>& work) {
    bool outer = !TransactionOpen();
    Command(outer ? "BEGIN" : "SAVEPOINT tdef_nested");
    try {
        work();
        Command(outer ? "COMMIT" : "RELEASE tdef_nested");
    } catch (...) {
        // An error leaves the transaction aborted until it, or the savepoint, is rolled back. A failed
        // COMMIT has already ended it.
        if (!outer)
            PgResultPtr(PQexec(conn_, "ROLLBACK TO tdef_nested; RELEASE tdef_nested"));
        else if (TransactionOpen())
            PgResultPtr(PQexec(conn_, "ROLLBACK"));
        throw;
    }
}

std::vector<SqlColumnInfo> PostgresBackend::Columns(const std::string& table) {
    SqlResult r = Query(
        "SELECT a.attname, a.atttypid, a.atttypmod, a.attnotnull, a.atthasdef, "
        "COALESCE((SELECT k.n FROM unnest(i.indkey) WITH ORDINALITY AS k(att, n) WHERE k.att = a.attnum), 0) "
        "FROM pg_attribute a LEFT JOIN pg_index i ON i.indrelid = a.attrelid AND i.indisprimary "
        "WHERE a.attrelid = to_regclass(?) AND a.attnum > 0 AND NOT a.attisdropped ORDER BY a.attnum",
        {table});
    std::vector<SqlColumnInfo> columns;
    for (const SqlRow& row : r.rows)
        columns.push_back({PgColumnName(VarToStr(row[0]), ""),
                           PgTypeName(static_cast<PgOid>(row[1].AsInt64()), static_cast<int>(row[2].AsInt64())),
                           row[3].AsInt64() != 0, row[4].AsInt64() != 0, static_cast<int>(row[5].AsInt64())});
    return columns;
}
