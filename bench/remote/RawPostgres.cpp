#include "bench/remote/RawPostgres.h"

#include <memory>
#include <vector>

#include "bench/company/RawDocument.h"
#include "toolkit/rtl/Exception.h"

namespace {

using Result = std::unique_ptr<PGresult, decltype(&PQclear)>;

Result Wrap(PGresult* r) { return Result(r, &PQclear); }

bool Failed(const PGresult* r) {
    const ExecStatusType s = PQresultStatus(r);
    return s != PGRES_COMMAND_OK && s != PGRES_TUPLES_OK;
}

// Reads every value of a result; the text read.
std::size_t ReadAll(const PGresult* r) {
    std::size_t bytes = 0;
    for (int row = 0; row < PQntuples(r); ++row)
        for (int c = 0; c < PQnfields(r); ++c) {
            PQgetvalue(r, row, c);
            bytes += static_cast<std::size_t>(PQgetlength(r, row, c));
        }
    return bytes;
}

}  // namespace

TRawPostgres::TRawPostgres(const std::string& connection, const std::string& schema) : conn_(PQconnectdb(connection.c_str())) {
    if (PQstatus(conn_) != CONNECTION_OK) {
        std::string message = PQerrorMessage(conn_);
        PQfinish(conn_);
        throw Exception("Cannot connect to PostgreSQL: " + message);
    }
    std::string error = Run(("SET search_path TO " + schema).c_str());
    if (!error.empty()) {
        PQfinish(conn_);
        throw Exception(error);
    }
}

TRawPostgres::~TRawPostgres() { PQfinish(conn_); }

std::string TRawPostgres::Run(const char* sql) {
    Result r = Wrap(PQexec(conn_, sql));
    return Failed(r.get()) ? PQerrorMessage(conn_) : "";
}

TRawPacket TRawPostgres::ReadPacket(const std::string& headerSql) {
    TRawPacket packet;
    Result header = Wrap(PQexec(conn_, headerSql.c_str()));
    if (Failed(header.get())) {
        packet.error = PQerrorMessage(conn_);
        return packet;
    }
    packet.headers = PQntuples(header.get());
    packet.bytes = ReadAll(header.get());
    const int key = PQfnumber(header.get(), "mc001");
    if (packet.headers == 0 || key < 0) return packet;

    std::string sql = "SELECT ADMMD.* FROM ADMMD ADMMD WHERE ADMMD.MD001 IN (";
    std::vector<const char*> keys;
    for (int row = 0; row < PQntuples(header.get()); ++row) {
        keys.push_back(PQgetvalue(header.get(), row, key));
        sql += (row == 0 ? "$" : ", $") + std::to_string(row + 1);
    }
    sql += ") ORDER BY ADMMD.MD001, ADMMD.MD002";
    Result body =
        Wrap(PQexecParams(conn_, sql.c_str(), static_cast<int>(keys.size()), nullptr, keys.data(), nullptr, nullptr, 0));
    if (Failed(body.get())) {
        packet.error = PQerrorMessage(conn_);
        return packet;
    }
    packet.lines = PQntuples(body.get());
    packet.bytes += ReadAll(body.get());
    return packet;
}

std::string TRawPostgres::InsertDocument(const std::string& key, int lines) {
    if (!prepared_) {
        Result h =
            Wrap(PQprepare(conn_, "tdef_raw_header",
                           "INSERT INTO ADMMC (MC001, MC002, MC003, MC004, COMPANY, CREATOR, USR_GROUP, CREATE_DATE, FLAG) "
                           "VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9)",
                           0, nullptr));
        Result l = Wrap(PQprepare(conn_, "tdef_raw_line",
                                  "INSERT INTO ADMMD (MD001, MD002, MD003, MD004, MD005, MD006, COMPANY, CREATOR, USR_GROUP, "
                                  "CREATE_DATE, FLAG) VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9, $10, $11)",
                                  0, nullptr));
        if (Failed(h.get()) || Failed(l.get())) return PQerrorMessage(conn_);
        prepared_ = true;
    }
    std::string error = Run("BEGIN");
    const char* header[] = {key.c_str(), "基准文档", "1", "ADM", "DEMO", "DS", "ADMIN", "20240102083000000", "1"};
    Result h = Wrap(PQexecPrepared(conn_, "tdef_raw_header", 9, header, nullptr, nullptr, 0));
    if (error.empty() && Failed(h.get())) error = PQerrorMessage(conn_);
    for (int n = 1; n <= lines && error.empty(); ++n) {
        const std::string number = RawLineNumber(n), field = "F" + number;
        const char* line[] = {key.c_str(), number.c_str(), field.c_str(), "字段说明",          "V", "10",
                              "DEMO",      "DS",           "ADMIN",       "20240102083000000", "1"};
        Result l = Wrap(PQexecPrepared(conn_, "tdef_raw_line", 11, line, nullptr, nullptr, 0));
        if (Failed(l.get())) error = PQerrorMessage(conn_);
    }
    std::string end = Run(error.empty() ? "COMMIT" : "ROLLBACK");
    return error.empty() ? end : error;
}
