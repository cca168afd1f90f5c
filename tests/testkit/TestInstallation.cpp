#include "tests/testkit/TestInstallation.h"

#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "tests/testkit/ServerAssertions.h"
#include "toolkit/com/ComObj.h"
#include "toolkit/os/Paths.h"
#include "toolkit/rtl/SysUtils.h"

std::string TTestInstallation::BinFolder() {
    const char* bin = std::getenv("TDEF_BIN");
    return IncludeTrailingPathDelimiter(bin && *bin ? std::string(bin) : ExtractFilePath(ExecutableFileName()));
}

std::string TTestInstallation::MakeTempFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (!mkdtemp(pattern.data())) throw EInOutError("Cannot create a temporary folder for " + prefix);
    return IncludeTrailingPathDelimiter(pattern);
}

TTestInstallation::TTestInstallation() {
    if (const char* current = std::getenv("VANDRIL_REGISTRY")) {
        hadRegistry_ = true;
        savedRegistry_ = current;
    }
    install_ = WriteDemoInstallation(MakeTempFolder("tdef-install"), BinFolder());
    setenv("VANDRIL_REGISTRY", install_.RegistryFile.c_str(), 1);
}

TTestInstallation::~TTestInstallation() {
    if (hadRegistry_)
        setenv("VANDRIL_REGISTRY", savedRegistry_.c_str(), 1);
    else
        unsetenv("VANDRIL_REGISTRY");
    std::error_code ignored;
    std::filesystem::remove_all(install_.Folder, ignored);
}

std::string TTestInstallation::DatabaseFile(const std::string& database) const {
    return install_.ServerPath + "Data/" + database + ".db";
}

void TTestInstallation::WriteClientIni(const std::string& text) const {
    std::ofstream out(install_.ClientPath + "VandrilC.ini", std::ios::binary | std::ios::trunc);
    out << text;
}

std::string TTestInstallation::SqlValue(const std::string& select, const std::string& database) const {
    sqlite3* db = nullptr;
    std::string value;
    if (sqlite3_open(DatabaseFile(database).c_str(), &db) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, select.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW &&
            sqlite3_column_text(st, 0))
            value = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return value;
}

void TTestInstallation::SetCodePages(const std::string& ui, const std::string& db, int system) const {
    WriteClientIni("[Server Information]\nComputerName=127.0.0.1\nServerPort=211\n\n[CodePage]\nUICodePage=" + ui +
                   "\nDBCodePage=" + db + "\n");
    std::ifstream in(install_.RegistryFile, std::ios::binary);
    std::string registry((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const std::size_t at = registry.find("ANSICodePage=");
    const std::size_t end = registry.find('\n', at);
    registry.replace(at, end - at, "ANSICodePage=" + std::to_string(system));
    std::ofstream out(install_.RegistryFile, std::ios::binary | std::ios::trunc);
    out << registry;
}

void TTestInstallation::CreateCompanyDatabase(const std::string& database) const {
    Variant server = CreateOleObject("Nexor01S.Class1");
    if (!ConnectsTo(server, VarArrayOf({"TDEF05", "DS", "DEMO", database, true, false})))
        throw EDatabaseError("The company database " + database + " could not be created");
}

int TTestInstallation::ExecuteSql(const std::string& sql, const std::vector<std::string>& params,
                                  const std::string& database) const {
    sqlite3* db = nullptr;
    struct Close {
        sqlite3*& db;
        ~Close() { sqlite3_close(db); }
    } close{db};
    if (sqlite3_open_v2(DatabaseFile(database).c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
        throw EDatabaseError("Cannot open " + DatabaseFile(database) + ": " + sqlite3_errmsg(db));
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        throw EDatabaseError(std::string(sqlite3_errmsg(db)) + " in " + sql);
    for (std::size_t i = 0; i < params.size(); ++i)
        sqlite3_bind_text(statement, static_cast<int>(i + 1), params[i].c_str(), -1, SQLITE_TRANSIENT);
    const int step = sqlite3_step(statement);
    sqlite3_finalize(statement);
    if (step != SQLITE_DONE && step != SQLITE_ROW) throw EDatabaseError(std::string(sqlite3_errmsg(db)) + " in " + sql);
    return sqlite3_changes(db);
}
