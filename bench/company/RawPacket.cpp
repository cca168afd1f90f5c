#include "bench/company/RawPacket.h"

#include <string_view>
#include <vector>

namespace {

// Steps a prepared statement to its end, reading every column; the rows it gave.
long long ReadAll(sqlite3_stmt* st, std::size_t& bytes, int keyColumn, std::vector<std::string>* keys) {
    long long rows = 0;
    const int columns = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c) {
            const unsigned char* text = sqlite3_column_text(st, c);
            const int size = sqlite3_column_bytes(st, c);
            bytes += static_cast<std::size_t>(size);
            if (keys && c == keyColumn && text)
                keys->emplace_back(reinterpret_cast<const char*>(text), static_cast<std::size_t>(size));
        }
        ++rows;
    }
    return rows;
}

int ColumnNamed(sqlite3_stmt* st, std::string_view name) {
    for (int c = 0; c < sqlite3_column_count(st); ++c)
        if (name == sqlite3_column_name(st, c)) return c;
    return -1;
}

}  // namespace

TRawPacket ReadRawPacket(sqlite3* db, const std::string& headerSql) {
    TRawPacket packet;
    sqlite3_stmt* header = nullptr;
    if (sqlite3_prepare_v2(db, headerSql.c_str(), -1, &header, nullptr) != SQLITE_OK) {
        packet.error = sqlite3_errmsg(db);
        return packet;
    }
    std::vector<std::string> keys;
    packet.headers = ReadAll(header, packet.bytes, ColumnNamed(header, "MC001"), &keys);
    sqlite3_finalize(header);
    if (keys.empty()) return packet;

    std::string sql = "SELECT ADMMD.* FROM ADMMD ADMMD WHERE ADMMD.MD001 IN (";
    for (std::size_t k = 0; k < keys.size(); ++k) sql += k == 0 ? "?" : ", ?";
    sql += ") ORDER BY ADMMD.MD001, ADMMD.MD002";
    sqlite3_stmt* body = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &body, nullptr) != SQLITE_OK) {
        packet.error = sqlite3_errmsg(db);
        return packet;
    }
    for (std::size_t k = 0; k < keys.size(); ++k)
        sqlite3_bind_text(body, static_cast<int>(k + 1), keys[k].data(), static_cast<int>(keys[k].size()), SQLITE_STATIC);
    packet.lines = ReadAll(body, packet.bytes, -1, nullptr);
    sqlite3_finalize(body);
    return packet;
}
