#include "bench/company/RawPacket.h"

#include <string_view>
#include <vector>

namespace {

// Reads one column as its stored type; the bytes it held.
std::size_t ReadColumn(sqlite3_stmt* st, int c) {
    switch (sqlite3_column_type(st, c)) {
        case SQLITE_INTEGER: {
            volatile sqlite3_int64 v = sqlite3_column_int64(st, c);
            (void)v;
            return sizeof(sqlite3_int64);
        }
        case SQLITE_FLOAT: {
            volatile double v = sqlite3_column_double(st, c);
            (void)v;
            return sizeof(double);
        }
        case SQLITE_TEXT: sqlite3_column_text(st, c); return static_cast<std::size_t>(sqlite3_column_bytes(st, c));
        case SQLITE_BLOB: sqlite3_column_blob(st, c); return static_cast<std::size_t>(sqlite3_column_bytes(st, c));
        default: return 0;
    }
}

// Steps a prepared statement to its end, reading every column; the rows it gave.
long long ReadAll(sqlite3_stmt* st, std::size_t& bytes, int keyColumn, std::vector<std::string>* keys) {
    long long rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        bytes += ReadRawColumns(st);
        if (keys && keyColumn >= 0)
            if (const unsigned char* text = sqlite3_column_text(st, keyColumn))
                keys->emplace_back(reinterpret_cast<const char*>(text),
                                   static_cast<std::size_t>(sqlite3_column_bytes(st, keyColumn)));
        ++rows;
    }
    sqlite3_reset(st);
    return rows;
}

int ColumnNamed(sqlite3_stmt* st, std::string_view name) {
    for (int c = 0; c < sqlite3_column_count(st); ++c)
        if (name == sqlite3_column_name(st, c)) return c;
    return -1;
}

}  // namespace

std::size_t ReadRawColumns(sqlite3_stmt* st) {
    std::size_t bytes = 0;
    for (int c = 0, columns = sqlite3_column_count(st); c < columns; ++c) bytes += ReadColumn(st, c);
    return bytes;
}

TRawPacketReader::~TRawPacketReader() {
    for (auto& [sql, st] : statements_) sqlite3_finalize(st);
}

sqlite3_stmt* TRawPacketReader::Prepared(const std::string& sql, std::string& error) {
    auto found = statements_.find(sql);
    if (found != statements_.end()) return found->second;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK) {
        error = sqlite3_errmsg(db_);
        return nullptr;
    }
    statements_.emplace(sql, st);
    return st;
}

TRawPacket TRawPacketReader::Read(const std::string& headerSql) {
    TRawPacket packet;
    sqlite3_stmt* header = Prepared(headerSql, packet.error);
    if (!header) return packet;
    std::vector<std::string> keys;
    packet.headers = ReadAll(header, packet.bytes, ColumnNamed(header, "MC001"), &keys);
    if (keys.empty()) return packet;

    std::string sql = "SELECT ADMMD.* FROM ADMMD ADMMD WHERE ADMMD.MD001 IN (";
    for (std::size_t k = 0; k < keys.size(); ++k) sql += k == 0 ? "?" : ", ?";
    sql += ") ORDER BY ADMMD.MD001, ADMMD.MD002";
    sqlite3_stmt* body = Prepared(sql, packet.error);
    if (!body) return packet;
    for (std::size_t k = 0; k < keys.size(); ++k)
        sqlite3_bind_text(body, static_cast<int>(k + 1), keys[k].data(), static_cast<int>(keys[k].size()), SQLITE_STATIC);
    packet.lines = ReadAll(body, packet.bytes, -1, nullptr);
    sqlite3_clear_bindings(body);
    return packet;
}
