#include "BenchDatabase.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <stdexcept>

#include "outside/appserver/AppServer.h"
#include "outside/appserver/CompanyDatabase.h"
#include "toolkit/com/ComObj.h"
#include "toolkit/data/SocketConnection.h"
#include "toolkit/rtl/Dispatch.h"

namespace {
std::string Folder() {
    static std::string folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "tdef-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot create a temporary folder");
        std::atexit([] { std::filesystem::remove_all(Folder()); });
        return pattern;
    }();
    return folder;
}

struct TNeededDatabase {
    std::vector<std::string> benchmarks;
    std::function<void()> make;
};

std::vector<TNeededDatabase>& Needed() {
    static std::vector<TNeededDatabase> needed;
    return needed;
}
}  // namespace

bool NeedBenchDatabase(std::vector<std::string> benchmarks, std::function<void()> make) {
    Needed().push_back({std::move(benchmarks), std::move(make)});
    return true;
}

void MakeNeededDatabases(const std::string& filter) {
    const bool excluding = !filter.empty() && filter[0] == '-';
    const std::string pattern = excluding ? filter.substr(1) : filter;
    const std::regex selects(pattern.empty() || pattern == "all" ? "." : pattern);
    for (const TNeededDatabase& needed : Needed())
        for (const std::string& name : needed.benchmarks)
            if (std::regex_search(name, selects) != excluding) {
                needed.make();
                break;
            }
}

sqlite3* OpenRaw(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open " + path);
    sqlite3_busy_timeout(db, 10000);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA foreign_keys=ON;", nullptr, nullptr, nullptr);
    return db;
}

std::string MakeBenchDatabase(const std::string& name, long long documents, int lines) {
    std::string path = Folder() + "/" + name + ".db";
    if (std::filesystem::exists(path)) return path;
    CompanyDatabase::Create(path);
    sqlite3* db = OpenRaw(path);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* header = nullptr;
    sqlite3_stmt* line = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO ADMMC (MC001, MC002, MC003, MC004, COMPANY, CREATOR, USR_GROUP, CREATE_DATE, FLAG) "
                       "VALUES (?, ?, '1', 'ADM', 'DEMO', 'DS', 'ADMIN', '20240102083000000', 1)",
                       -1, &header, nullptr);
    sqlite3_prepare_v2(db, "INSERT INTO ADMMD (MD001, MD002, MD003, MD004, MD005, MD006, FLAG) VALUES (?, ?, ?, ?, 'V', 10, 1)",
                       -1, &line, nullptr);
    char key[32], seq[16], field[32];
    for (long long d = 1; d <= documents; ++d) {
        std::snprintf(key, sizeof key, "D%07lld", d);
        sqlite3_bind_text(header, 1, key, -1, SQLITE_STATIC);
        sqlite3_bind_text(header, 2, "生成的文档", -1, SQLITE_STATIC);
        sqlite3_step(header);
        sqlite3_reset(header);
        for (int l = 1; l <= lines; ++l) {
            std::snprintf(seq, sizeof seq, "%04d", l);
            std::snprintf(field, sizeof field, "F%04d", l);
            sqlite3_bind_text(line, 1, key, -1, SQLITE_STATIC);
            sqlite3_bind_text(line, 2, seq, -1, SQLITE_STATIC);
            sqlite3_bind_text(line, 3, field, -1, SQLITE_STATIC);
            sqlite3_bind_text(line, 4, "字段", -1, SQLITE_STATIC);
            sqlite3_step(line);
            sqlite3_reset(line);
        }
    }
    sqlite3_finalize(header);
    sqlite3_finalize(line);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return path;
}

void RegisterInProcessServer(const std::string& databasePath) {
    RegisterOleClass("Nexor01S.Class1", [databasePath](const std::string&) { return CreateAppServer(databasePath); });
}

void ConnectInProcess(TSocketConnection& connection, const std::string& databasePath) {
    RegisterInProcessServer(databasePath);
    connection.Address = "127.0.0.1";
    connection.ServerName = "Nexor01S.Class1";
    OleCall(connection.AppServer(), "Connect", {VarArrayOf({"TDEF05", "DS", "DEMO", "DEMO", true, false})});
}
