#pragma once
// One session of the work center, with or without windows: the manager handed to programs (its
// message lookups recorded for scripts), the login checked against the company database, the
// company's program list and the programs open. Programs that start other programs (ExecWork) are
// opened here too; the message-centre program "TMCI05" delivers its text to OnMessageCenter.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "outside/torvane/desk/ProgramHost.h"
#include "toolkit/rtl/Dispatch.h"

class THostManager;

struct TProgramEntry {
    std::string Id;    // MB001
    std::string Name;  // MB002
};

struct TMessageLookup {
    std::string Kind;
    std::string Code;
    std::string Text;
};

class TWorkCenter {
public:
    TWorkCenter();
    ~TWorkCenter();

    // Checks the login at the configured server (a daemon checks the password; the database exists,
    // the company and the user are known there, ids without regard to case) and connects the manager;
    // raises Exception with the text to show, which names what is missing. The password is not kept.
    void Login(const TLogin& login, const std::string& password = "");
    bool LoggedIn() const { return loggedIn_; }
    const TLogin& CurrentLogin() const { return login_; }

    // The programs of the company database, by id.
    std::vector<TProgramEntry> ProgramList();
    // Opens a program for the login; raises EProgramOpen.
    TDLLBaseController& Open(const std::string& program, int runMode = 0, int rights = 0xFF, const std::string& param = "");
    // Brings the window of an open program forward (restored when minimised); false when it is not open.
    bool BringForward(const std::string& program);
    // Where the services reach the application server ("本机 (127.0.0.1)", "address:port").
    std::string ServerText() const;

    TProgramHost& Programs() { return *programs_; }
    const Variant& Manager() const { return manager_; }
    THostManager& HostManager() const { return *hostManager_; }
    // The window the programs are started from (their host window handle).
    void SetHostWindow(HWND window) { hostWindow_ = window; }

    // What programs asked the manager's message table, in order.
    const std::vector<TMessageLookup>& MessageLookups() const { return lookups_; }

    std::function<void(const std::string& program, std::int32_t eventCode)> OnEvent;
    std::function<void(const std::string& text)> OnMessageCenter;

private:
    Variant Query(const std::string& sql, const std::string& fields);
    // The first value the statement finds; raises Exception(missing) when it finds none.
    std::string KnownId(const std::string& sql, const std::string& field, const std::string& missing);
    int ExecWork(VarArgs& args);

    std::shared_ptr<THostManager> hostManager_;
    Variant manager_;
    std::unique_ptr<TProgramHost> programs_;
    TLogin login_;
    bool loggedIn_ = false;
    HWND hostWindow_ = 0;
    std::vector<TMessageLookup> lookups_;
};

// A text quoted for SQL ('' for each ').
std::string QuotedSql(const std::string& text);
