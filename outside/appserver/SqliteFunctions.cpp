#include "outside/appserver/SqliteFunctions.h"

#include <sqlite3.h>

#include <string>

namespace {

// Byte offsets of the characters of a UTF-8 text (continuation bytes are 10xxxxxx).
std::size_t CharCount(const std::string& s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::size_t ByteOffsetOfChar(const std::string& s, std::size_t chars) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
            if (seen == chars) return i;
            ++seen;
        }
    }
    return s.size();
}

std::string TextArg(sqlite3_value* v) {
    const unsigned char* p = sqlite3_value_text(v);
    return p ? std::string(reinterpret_cast<const char*>(p), static_cast<std::size_t>(sqlite3_value_bytes(v))) : "";
}

void Len(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    std::string s = TextArg(argv[0]);
    s.erase(s.find_last_not_of(' ') + 1);
    sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(CharCount(s)));
}

void Rpad(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    std::string s = TextArg(argv[0]);
    sqlite3_int64 width = sqlite3_value_int64(argv[1]);
    if (width <= 0) return sqlite3_result_text(ctx, "", 0, SQLITE_STATIC);
    std::string pad = argc > 2 ? TextArg(argv[2]) : " ";
    // Every character takes a byte at least: a width beyond the connection's value limit is refused
    // before anything is built.
    if (width > sqlite3_limit(sqlite3_context_db_handle(ctx), SQLITE_LIMIT_LENGTH, -1)) return sqlite3_result_error_toobig(ctx);
    auto want = static_cast<std::size_t>(width);
    std::size_t have = CharCount(s);
    if (have >= want) {
        s.resize(ByteOffsetOfChar(s, want));
    } else if (!pad.empty()) {
        std::size_t padChars = CharCount(pad);
        for (std::size_t missing = want - have; missing > 0;) {
            std::size_t take = missing < padChars ? missing : padChars;
            s += pad.substr(0, ByteOffsetOfChar(pad, take));
            missing -= take;
        }
    }
    if (s.size() > static_cast<std::size_t>(sqlite3_limit(sqlite3_context_db_handle(ctx), SQLITE_LIMIT_LENGTH, -1)))
        return sqlite3_result_error_toobig(ctx);
    sqlite3_result_text(ctx, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
}

}  // namespace

void RegisterSqliteFunctions(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "LEN", 1, flags, nullptr, Len, nullptr, nullptr);
    sqlite3_create_function(db, "RPAD", 2, flags, nullptr, Rpad, nullptr, nullptr);
    sqlite3_create_function(db, "RPAD", 3, flags, nullptr, Rpad, nullptr, nullptr);
}
