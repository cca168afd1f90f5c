#include "bench/company/RawDocument.h"

#include <cstdio>

std::string RawLineNumber(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%.4d", n);
    return text;
}

TRawDocumentWriter::TRawDocumentWriter(sqlite3* db) : db_(db) {
    sqlite3_prepare_v2(db_,
                       "INSERT INTO ADMMC (MC001, MC002, MC003, MC004, COMPANY, CREATOR, USR_GROUP, CREATE_DATE, FLAG) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                       -1, &header_, nullptr);
    sqlite3_prepare_v2(db_,
                       "INSERT INTO ADMMD (MD001, MD002, MD003, MD004, MD005, MD006, COMPANY, CREATOR, USR_GROUP, "
                       "CREATE_DATE, FLAG) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                       -1, &line_, nullptr);
}

TRawDocumentWriter::~TRawDocumentWriter() {
    sqlite3_finalize(header_);
    sqlite3_finalize(line_);
}

std::string TRawDocumentWriter::Insert(const std::string& key, int lines) {
    auto text = [](sqlite3_stmt* st, int i, const std::string& s) {
        sqlite3_bind_text(st, i, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
    };
    std::string error;
    sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    int i = 0;
    for (const char* value : {key.c_str(), "基准文档", "1", "ADM", "DEMO", "DS", "ADMIN", "20240102083000000"})
        text(header_, ++i, value);
    sqlite3_bind_int(header_, 9, 1);
    if (sqlite3_step(header_) != SQLITE_DONE) error = sqlite3_errmsg(db_);
    sqlite3_reset(header_);
    for (int l = 1; l <= lines && error.empty(); ++l) {
        text(line_, 1, key);
        text(line_, 2, RawLineNumber(l));
        text(line_, 3, "F" + RawLineNumber(l));
        text(line_, 4, "字段说明");
        text(line_, 5, "V");
        sqlite3_bind_double(line_, 6, 10);
        i = 6;
        for (const char* value : {"DEMO", "DS", "ADMIN", "20240102083000000"}) text(line_, ++i, value);
        sqlite3_bind_int(line_, 11, 1);
        if (sqlite3_step(line_) != SQLITE_DONE) error = sqlite3_errmsg(db_);
        sqlite3_reset(line_);
    }
    sqlite3_exec(db_, error.empty() ? "COMMIT" : "ROLLBACK", nullptr, nullptr, nullptr);
    return error;
}
