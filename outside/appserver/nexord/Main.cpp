// nexord: serves the application server and the lookup server to remote work centers. One session per
// client, each with its own server object made by the program id the client names; logs to stderr;
// stops on SIGTERM/SIGINT.
//   nexord --port N --database FILE [--create] [--listen ADDRESS] [--max-frame BYTES]
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>

#include "outside/appserver/AppServer.h"
#include "outside/pickvu/LookupService.h"
#include "toolkit/com/ComObj.h"
#include "toolkit/com/RemoteListener.h"

namespace {

void LogLine(const std::string& text) {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
    auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::fprintf(stderr, "%s.%03d nexord[%d]: %s\n", stamp, static_cast<int>(ms), static_cast<int>(getpid()), text.c_str());
    std::fflush(stderr);
}

int Usage(const std::string& problem) {
    std::cerr << "nexord: " << problem << "\n"
              << "usage: nexord --port N --database FILE [--create] [--listen ADDRESS] [--max-frame BYTES]\n"
              << "  --port N          TCP port (0: any free port, reported in the log)\n"
              << "  --database FILE   the company database: an SQLite file, or postgresql:SCHEMA on the server\n"
              << "                    TDEF_POSTGRESQL (or the registry value PostgreSQL) names\n"
              << "  --create          create the database with the demo company when it does not exist\n"
              << "  --listen ADDRESS  address to listen on (default 127.0.0.1; 0.0.0.0 for every interface)\n"
              << "  --max-frame BYTES largest message a client may send (default 268435456)\n";
    return 2;
}

bool ParseNumber(const std::string& text, long long low, long long high, long long& out) {
    try {
        std::size_t used = 0;
        long long v = std::stoll(text, &used);
        if (used != text.size() || v < low || v > high) return false;
        out = v;
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace

int main(int argc, char** argv) {
    TRemoteListenerOptions options;
    std::string database;
    bool create = false;
    long long port = -1, maxFrame = static_cast<long long>(kDefaultMaxFrame);
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") return Usage("serves the application server over TCP"), 0;
        if (arg == "--create") {
            create = true;
            continue;
        }
        if (i + 1 >= argc) return Usage("missing value after " + arg);
        std::string value = argv[++i];
        if (arg == "--port") {
            if (!ParseNumber(value, 0, 65535, port)) return Usage("invalid port " + value);
        } else if (arg == "--database") {
            database = value;
        } else if (arg == "--listen") {
            options.Address = value;
        } else if (arg == "--max-frame") {
            if (!ParseNumber(value, 64, static_cast<long long>(kDefaultMaxFrame) * 4, maxFrame))
                return Usage("invalid frame limit " + value);
        } else {
            return Usage("unknown option " + arg);
        }
    }
    if (port < 0) return Usage("--port is required");
    if (database.empty()) return Usage("--database is required");
    options.Port = static_cast<int>(port);
    options.MaxFrame = static_cast<std::size_t>(maxFrame);
    options.Log = LogLine;

    // Every session's server works on this file.
    setenv("TDEF_COMPANY_DB", database.c_str(), 1);
    try {
        if (create && CompanyDatabase::Create(database)) LogLine("created the database " + database + " with the demo company");
        CompanyDatabase check(database);
        LogLine("database " + check.Path());
    } catch (const EDatabaseMissing&) {
        LogLine("the database " + database + " does not exist (--create makes it with the demo company)");
        return 1;
    } catch (const Exception& e) {
        LogLine("cannot open the database: " + e.Message());
        return 1;
    }
    // Every server a client may ask for: the application server and the lookup server.
    RegisterOleClass("Nexor01S.Class1", [](const std::string&) { return CreateAppServer(); });
    RegisterOleClass("PickvuS.Class1", [](const std::string&) { return CreateLookupService(); });

    // Signals are taken by sigwait below, so the session threads never see them.
    sigset_t stop;
    sigemptyset(&stop);
    sigaddset(&stop, SIGTERM);
    sigaddset(&stop, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stop, nullptr);
    signal(SIGPIPE, SIG_IGN);

    TRemoteListener listener(options);
    try {
        listener.Start();
    } catch (const Exception& e) {
        LogLine("cannot listen on " + options.Address + ":" + std::to_string(options.Port) + ": " + e.Message());
        return 1;
    }
    int received = 0;
    sigwait(&stop, &received);
    LogLine(std::string("stopping on ") + (received == SIGINT ? "SIGINT" : "SIGTERM"));
    listener.Stop();
    LogLine("served " + std::to_string(listener.SessionsServed()) + " session(s)");
    return 0;
}
