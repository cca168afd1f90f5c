#include "outside/appserver/PostgresBackend.h"

#include <libpq-fe.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>

#include "data/Embedded.h"
#include "outside/appserver/PostgresRules.h"
#include "outside/appserver/PostgresStatement.h"
#include "outside/appserver/PostgresValues.h"
#include "outside/appserver/SchemaDocuments.h"
#include "outside/appserver/ServerLimits.h"
#include "outside/appserver/SqlTokens.h"
#include "toolkit/com/CallCancel.h"

namespace {

// Marks a schema that holds a complete company (the counterpart of SQLite's user_version).
const char* kCompanyMark = "tdef company 1";

std::string ValidSchema(const std::string& schema) {
    std::string s;
    for (char c : schema) s += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    bool ok = !s.empty() && s.size() < 64 && (std::islower(static_cast<unsigned char>(s[0])) || s[0] == '_');
    for (char c : s)
        ok = ok && (std::islower(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c)) || c == '_');
    if (!ok) throw EDatabaseError("Invalid PostgreSQL schema name: '" + schema + "'");
    return s;
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
        if (!reader_) PrepareRole();
        if (reader_) Command("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY");
        Command("SET ROLE " + RoleFor(schema_));
        ApplyLimits();
    } catch (...) {
        PQfinish(conn_);
        conn_ = nullptr;
        throw;
    }
    cancel_ = PQgetCancel(conn_);
    interrupt_ = std::make_unique<TCallInterrupt>([cancel = cancel_] {
        char error[256];
        if (cancel) PQcancel(cancel, error, sizeof error);
    });
}

PostgresBackend::~PostgresBackend() {
    interrupt_.reset();
    PQfreeCancel(cancel_);
    PQfinish(conn_);
}

void PostgresBackend::ApplyLimits() {
    const ServerLimits& limits = Limits();
    Command("SET statement_timeout = " + std::to_string(std::max(0, limits.statementMs)));
    Command("SET lock_timeout = " + std::to_string(std::max(0, limits.busyMs)));
}

// The company's role, made (with its rights on the company's tables) when missing; the login joins it
// so that it may take it on.
void PostgresBackend::EnsureRole() {
    std::string role = RoleFor(schema_);
    if (!Query("SELECT 1 FROM pg_roles WHERE rolname = ?", {role}).rows.empty()) return;
    try {
        Command("CREATE ROLE " + role + " NOLOGIN");
        Command("GRANT USAGE ON SCHEMA " + schema_ + " TO " + role);
        Command("GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA " + schema_ + " TO " + role);
        Command("ALTER DEFAULT PRIVILEGES IN SCHEMA " + schema_ + " GRANT SELECT, INSERT, UPDATE, DELETE ON TABLES TO " + role);
        Command("GRANT " + role + " TO CURRENT_USER");
    } catch (const EDatabaseError& e) {
        throw EDatabaseError("The company schema " + schema_ + " needs the role " + role + ", which this login cannot create (" +
                             e.Message() + "): give the login CREATEROLE, or create the role as the README says");
    }
}

bool PostgresBackend::Broken() const { return PQstatus(conn_) == CONNECTION_BAD; }

bool PostgresBackend::TransactionOpen() const { return PQtransactionStatus(conn_) != PQTRANS_IDLE; }

std::string PostgresBackend::LimitMessage(const char* state) const {
    if (!state) return "";
    std::string code = state;
    if (code == "57014") {  // canceled: by the session's cancellation or by the statement time limit
        if (TCallCancel* session = interrupt_ ? interrupt_->Session() : nullptr; session && session->Cancelled())
            return "The statement was stopped: " + session->Reason();
        if (Limits().statementMs > 0) return Limits().StatementTooLong();
    }
    if (code == "55P03") return Limits().LockedTooLong();
    return "";
}

void PostgresBackend::Check(const PgResultPtr& result, const std::string& what) const {
    ExecStatusType status = result.get ? PQresultStatus(result.get) : PGRES_FATAL_ERROR;
    if (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK || status == PGRES_SINGLE_TUPLE) return;
    if (std::string limit = LimitMessage(result.get ? PQresultErrorField(result.get, PG_DIAG_SQLSTATE) : nullptr); !limit.empty())
        throw EDatabaseError(limit);
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
        Check(PgResultPtr(PQexec(conn_, DemoCompanySql().c_str())), "Cannot load the demo company");
        Command("COMMENT ON SCHEMA " + schema_ + " IS '" + kCompanyMark + "'");
        created_ = true;
    });
}

void PostgresBackend::PrepareRole() {
    // Under a lock of its own: two servers may find the role missing at once.
    InTransaction([&] {
        Query("SELECT pg_advisory_xact_lock(hashtext(?))", {Variant("tdef role " + schema_)});
        EnsureRole();
    });
}

void PostgresBackend::RequireCompany() {
    SqlResult mark = Query("SELECT obj_description(to_regnamespace(?)::oid, 'pg_namespace')", {schema_});
    if (mark.rows.empty() || VarToStr(mark.rows[0][0]) != kCompanyMark)
        throw EDatabaseMissing("No company database in the PostgreSQL schema " + schema_);
}

SqlResult PostgresBackend::Query(const std::string& sql, const std::vector<Variant>& params) {
    std::string statement = CheckedPostgresStatement(sql);
    // Values beyond the markers are ignored, missing ones are null, as SQLite binds them.
    int markers = 0;
    std::string text = NumberedParameters(statement, &markers);
    PgParams p;
    p.Set(params, markers);
    for (bool again = false;; again = true) {
        // One row at a time: an answer beyond the row limit is stopped before it fills the memory.
        if (!PQsendQueryParams(conn_, text.c_str(), static_cast<int>(p.values.size()), p.types.data(), p.pointers.data(),
                               p.lengths.data(), p.formats.data(), 0))
            Check(PgResultPtr());
        PQsetSingleRowMode(conn_);
        PgResultPtr failed;
        SqlResult out = Rows(statement, failed);
        if (!failed.get) return out;
        // Markers the server cannot type from where they stand ("? IS NULL") are taken as text.
        const char* state = PQresultErrorField(failed.get, PG_DIAG_SQLSTATE);
        if (!again && state && std::string(state) == "42P18" && !p.values.empty()) {
            p.TypeAsText();
            continue;
        }
        Check(failed);
    }
}

// Collects the answer of the statement sent last, row by row; the first failure goes to `failed`.
SqlResult PostgresBackend::Rows(const std::string& statement, PgResultPtr& failed) {
    SqlResult out;
    const long long maxRows = Limits().maxRows;
    bool stopped = false;
    auto columns = [&](pg_result* r) {
        if (out.columns.empty())
            for (int i = 0; i < PQnfields(r); ++i) out.columns.push_back(PgColumnName(PQfname(r, i), statement));
    };
    while (PgResultPtr r{PQgetResult(conn_)}) {
        ExecStatusType status = PQresultStatus(r.get);
        if (status == PGRES_SINGLE_TUPLE) {
            columns(r.get);
            if (stopped) continue;
            if (maxRows > 0 && static_cast<long long>(out.rows.size()) >= maxRows) {
                // The rest is not wanted: cancelled, and what is already on its way is read and dropped.
                char error[256];
                PQcancel(cancel_, error, sizeof error);
                stopped = true;
                out.rows.clear();
                continue;
            }
            int fields = PQnfields(r.get);
            SqlRow values;
            values.reserve(static_cast<std::size_t>(fields));
            for (int i = 0; i < fields; ++i)
                values.push_back(PQgetisnull(r.get, 0, i)
                                     ? Variant::Null()
                                     : PgValue(PQgetvalue(r.get, 0, i), PQgetlength(r.get, 0, i), PQftype(r.get, i)));
            out.rows.push_back(std::move(values));
        } else if (status == PGRES_TUPLES_OK) {
            columns(r.get);
        } else if (status == PGRES_COMMAND_OK) {
            const char* tuples = PQcmdTuples(r.get);
            out.changes += tuples && *tuples ? std::atoi(tuples) : 0;
        } else if (!failed.get && !stopped) {
            failed = std::move(r);
        }
    }
    if (stopped) throw EDatabaseError(Limits().TooManyRows());
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

bool PostgresBackend::RollBackOpenTransaction() {
    if (reader_ || !TransactionOpen()) return false;
    PgResultPtr(PQexec(conn_, "ROLLBACK"));
    return true;
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
