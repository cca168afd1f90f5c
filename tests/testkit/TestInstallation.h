#pragma once
// A ready installation for the demo company in a fresh temporary folder: registry file (with the
// class keys of the in-process servers built beside the tests), client folder with VandrilC.ini and
// Log/, server folder whose Data/ receives the company database (created and seeded on first use).
// VANDRIL_REGISTRY names it while the object lives; the folder is removed afterwards.
#include <string>
#include <vector>

#include "outside/torvane/DemoInstallation.h"

class TTestInstallation {
public:
    TTestInstallation();
    ~TTestInstallation();
    TTestInstallation(const TTestInstallation&) = delete;
    TTestInstallation& operator=(const TTestInstallation&) = delete;

    const TDemoInstallation& Install() const { return install_; }
    const std::string& Folder() const { return install_.Folder; }
    const std::string& ClientPath() const { return install_.ClientPath; }
    // The company database file of that name (it exists once a server opened it).
    std::string DatabaseFile(const std::string& database = "DEMO") const;
    // Replaces the client configuration file.
    void WriteClientIni(const std::string& text) const;
    // The demo client configuration with these interface and database code pages ("936", "950",
    // "437" ...), and the system code page (ANSICodePage of the registry).
    void SetCodePages(const std::string& ui, const std::string& db = "936", int system = 936) const;
    // Creates and seeds the company database now (the application server does so on first use).
    void CreateCompanyDatabase(const std::string& database = "DEMO") const;
    // Runs one statement on the company database with text parameters bound to ?1, ?2 ...; raises
    // EDatabaseError with the database's message. Returns the number of rows changed.
    int ExecuteSql(const std::string& sql, const std::vector<std::string>& params = {},
                   const std::string& database = "DEMO") const;
    // The first column of the first row a query gives, as text ("" when there is none or it is null).
    std::string SqlValue(const std::string& select, const std::string& database = "DEMO") const;

    // Where the plug-in, the servers and torvane are built: TDEF_BIN, else beside the test program.
    static std::string BinFolder();
    // A fresh empty temporary folder (removed by the caller).
    static std::string MakeTempFolder(const std::string& prefix);

private:
    TDemoInstallation install_;
    std::string savedRegistry_;
    bool hadRegistry_ = false;
};
