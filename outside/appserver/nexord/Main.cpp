// nexord: serves the application server and the lookup server to remote work centers. One session per
// client, each with its own server object made by the program id the client names (only the servers
// above); a client proves a user's password (or a ticket of an earlier login) in its hello; logs to
// stderr; stops on SIGTERM/SIGINT.
//   nexord --port N --database FILE [--create] [--listen ADDRESS] [--trust-loopback] [limits, see Usage()]
//   nexord --database FILE --set-password USER      (the password is read from the standard input)
#include <signal.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <optional>
#include <string>

#include "outside/appserver/AppServer.h"
#include "outside/appserver/ServerLimits.h"
#include "outside/appserver/UserPasswords.h"
#include "outside/pickvu/LookupService.h"
#include "toolkit/com/ComObj.h"
#include "toolkit/com/RemoteListener.h"
#include "toolkit/rtl/SysUtils.h"

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
              << "usage: nexord --port N --database FILE [--create] [--listen ADDRESS] [limits]\n"
              << "  --port N          TCP port (0: any free port, reported in the log)\n"
              << "  --database FILE   the company database: an SQLite file, or postgresql:SCHEMA on the server\n"
              << "                    TDEF_POSTGRESQL (or the registry value PostgreSQL) names\n"
              << "  --create          create the database with the demo company when it does not exist\n"
              << "  --listen ADDRESS  address to listen on (default 127.0.0.1; 0.0.0.0 for every interface)\n"
              << "  --trust-loopback  clients from this machine (127.x.x.x) need no password\n"
              << "  --tls-cert FILE --tls-key FILE  every session under TLS with this certificate (PEM) and\n"
              << "                    key; clients check it against the CA file of their configuration\n"
              << "  --login-delay SECONDS  after five wrong passwords in a row for a user, further tries\n"
              << "                    wait this long (default 30)\n"
              << "  --set-password USER  gives the user of --database the password read from the standard\n"
              << "                    input (one line) and ends\n"
              << "limits (what one client may cost; 0 turns a limit off):\n"
              << "  --max-frame BYTES          largest message a client may send (default 16777216)\n"
              << "  --max-values N             values one message may hold (default 1000000)\n"
              << "  --frame-timeout SECONDS    a message once begun must arrive within (default 30)\n"
              << "  --max-sessions N           sessions open at once (default 256, fewer when the descriptor\n"
              << "                             limit does not allow so many)\n"
              << "  --max-sessions-per-peer N  sessions open at once from one address (default 64)\n"
              << "  --idle-timeout SECONDS     a session without a call is closed after (default 3600)\n"
              << "  --statement-timeout SECONDS  a statement is stopped after (default 60)\n"
              << "  --max-rows N               rows one answer may hold (default 200000)\n";
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

// Descriptors one working session may hold: its socket, the company database and the readers of its
// open datasets (an SQLite connection holds the file, its journal and its shared memory).
constexpr long long kDescriptorsPerSession = 16;
constexpr long long kDescriptorsReserved = 32;

// Raises the descriptor limit as far as allowed and lowers the session limit to what it then allows.
int SessionsTheDescriptorsAllow(int wanted) {
    rlimit files{};
    if (getrlimit(RLIMIT_NOFILE, &files) != 0) return wanted;
    if (files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        setrlimit(RLIMIT_NOFILE, &files);
        getrlimit(RLIMIT_NOFILE, &files);
    }
    long long allowed = (static_cast<long long>(files.rlim_cur) - kDescriptorsReserved) / kDescriptorsPerSession;
    if (allowed < 1) allowed = 1;
    if (wanted == 0 || wanted > allowed) {
        LogLine("sessions at most " + std::to_string(allowed) + " (descriptor limit " + std::to_string(files.rlim_cur) + ")");
        return static_cast<int>(allowed);
    }
    return wanted;
}

struct Settings {
    long long port = -1;
    std::string database;
    bool create = false;
    long long maxFrame = static_cast<long long>(kDefaultMaxFrame);
    long long maxValues = static_cast<long long>(kDefaultMaxValues);
    long long frameTimeout = 30, idleTimeout = 3600, statementTimeout = 60;
    long long maxSessions = 256, maxPerPeer = 64, maxRows = 200000;
    long long loginDelay = 30;
    bool trustLoopback = false;
    std::string setPasswordFor;
    std::string tlsCert, tlsKey;
};

// Reads the arguments; an exit status when the program must end at once (usage, help).
std::optional<int> ReadArguments(int argc, char** argv, Settings& s, TRemoteListenerOptions& options) {
    struct Numeric {
        const char* name;
        long long* value;
        long long low, high;
    };
    const Numeric numbers[] = {
        {"--port", &s.port, 0, 65535},
        {"--max-frame", &s.maxFrame, 64, 1024LL * 1024 * 1024},
        {"--max-values", &s.maxValues, 0, 1LL << 31},
        {"--frame-timeout", &s.frameTimeout, 0, 86400},
        {"--max-sessions", &s.maxSessions, 0, 100000},
        {"--max-sessions-per-peer", &s.maxPerPeer, 0, 100000},
        {"--idle-timeout", &s.idleTimeout, 0, 30LL * 86400},
        {"--statement-timeout", &s.statementTimeout, 0, 86400},
        {"--max-rows", &s.maxRows, 0, 1LL << 40},
        {"--login-delay", &s.loginDelay, 0, 86400},
    };
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") return Usage("serves the application server and the lookup server over TCP"), 0;
        if (arg == "--create") {
            s.create = true;
            continue;
        }
        if (arg == "--trust-loopback") {
            s.trustLoopback = true;
            continue;
        }
        if (i + 1 >= argc) return Usage("missing value after " + arg);
        std::string value = argv[++i];
        if (arg == "--database") {
            s.database = value;
            continue;
        }
        if (arg == "--tls-cert" || arg == "--tls-key") {
            (arg == "--tls-cert" ? s.tlsCert : s.tlsKey) = value;
            continue;
        }
        if (arg == "--set-password") {
            s.setPasswordFor = value;
            continue;
        }
        if (arg == "--listen") {
            options.Address = value;
            continue;
        }
        bool known = false;
        for (const Numeric& n : numbers) {
            if (arg != n.name) continue;
            if (!ParseNumber(value, n.low, n.high, *n.value)) return Usage("invalid value for " + arg + ": " + value);
            known = true;
        }
        if (!known) return Usage("unknown option " + arg);
    }
    if (s.database.empty()) return Usage("--database is required");
    if (s.port < 0 && s.setPasswordFor.empty()) return Usage("--port is required");
    if (s.tlsCert.empty() != s.tlsKey.empty()) return Usage("--tls-cert and --tls-key go together");
    return std::nullopt;
}

int Milliseconds(long long seconds) { return static_cast<int>(seconds * 1000); }

int SetPassword(const Settings& settings) {
    std::string password;
    std::getline(std::cin, password);
    if (!password.empty() && password.back() == '\r') password.pop_back();
    try {
        CompanyDatabase db(settings.database);
        SetUserPassword(db, settings.setPasswordFor, password);
    } catch (const Exception& e) {
        LogLine("cannot set the password: " + e.Message());
        return 1;
    }
    LogLine("the password of " + settings.setPasswordFor + " is set");
    return 0;
}

// Only the servers this daemon is for, on its database; a hello naming any other program id loads nothing.
DispatchPtr CreateServed(const std::string& progId, const TRemoteIdentity& client, const std::string& database) {
    if (SameText(progId, "Nexor01S.Class1")) {
        auto server = std::static_pointer_cast<TAppServer>(CreateAppServer(database));
        server->RestrictToUser(client.User);
        return server;
    }
    if (SameText(progId, "PickvuS.Class1")) return CreateLookupService();
    throw EOleError("This server does not serve " + progId);
}

std::shared_ptr<TRemoteGate> MakeGate(const Settings& settings) {
    TRemoteGateOptions gate;
    gate.TrustLoopback = settings.trustLoopback;
    gate.DelayMs = Milliseconds(settings.loginDelay);
    gate.FindUser = [database = settings.database](const std::string& user,
                                                   std::string& storedId) -> std::optional<TScramVerifier> {
        try {
            CompanyDatabase db(database);
            return StoredPassword(db, user, storedId);
        } catch (const Exception& e) {
            LogLine("cannot read the users' passwords: " + e.Message());
            return std::nullopt;
        }
    };
    return std::make_shared<TRemoteGate>(gate);
}

}  // namespace

int main(int argc, char** argv) {
    TRemoteListenerOptions options;
    Settings settings;
    if (auto exit = ReadArguments(argc, argv, settings, options)) return *exit;
    if (!settings.setPasswordFor.empty()) return SetPassword(settings);
    options.Port = static_cast<int>(settings.port);
    options.MaxFrame = static_cast<std::size_t>(settings.maxFrame);
    options.MaxValues = static_cast<std::size_t>(settings.maxValues);
    options.FrameTimeoutMs = settings.frameTimeout > 0 ? Milliseconds(settings.frameTimeout) : -1;
    options.IdleTimeoutMs = Milliseconds(settings.idleTimeout);
    options.MaxSessions = SessionsTheDescriptorsAllow(static_cast<int>(settings.maxSessions));
    options.MaxSessionsPerPeer = static_cast<int>(settings.maxPerPeer);
    options.Log = LogLine;
    Limits().statementMs = Milliseconds(settings.statementTimeout);
    Limits().maxRows = settings.maxRows;
    LogLine("limits: " + std::to_string(options.MaxSessions) + " sessions, " + std::to_string(options.MaxSessionsPerPeer) +
            " per address; idle " + std::to_string(settings.idleTimeout) + " s; frames " + std::to_string(settings.maxFrame) +
            " bytes, " + std::to_string(settings.maxValues) + " values; statements " + std::to_string(settings.statementTimeout) +
            " s, " + std::to_string(settings.maxRows) + " rows");

    // Every session's server works on this file.
    const std::string& database = settings.database;
    try {
        if (settings.create && CompanyDatabase::Create(database))
            LogLine("created the database " + database + " with the demo company");
        CompanyDatabase check(database);
        LogLine("database " + check.Path());
    } catch (const EDatabaseMissing&) {
        LogLine("the database " + database + " does not exist (--create makes it with the demo company)");
        return 1;
    } catch (const Exception& e) {
        LogLine("cannot open the database: " + e.Message());
        return 1;
    }
    // The lookup server makes its application server in process by program id.
    RegisterOleClass("Nexor01S.Class1", [database](const std::string&) { return CreateAppServer(database); });
    options.CreateObject = [database](const std::string& progId, const TRemoteIdentity& client) {
        return CreateServed(progId, client, database);
    };
    options.Gate = MakeGate(settings);
    if (!settings.tlsCert.empty()) {
        try {
            options.Tls = TTlsContext::Server(settings.tlsCert, settings.tlsKey);
        } catch (const Exception& e) {
            LogLine("cannot use TLS: " + e.Message());
            return 1;
        }
        LogLine("sessions run under TLS with the certificate " + settings.tlsCert);
    }
    LogLine(settings.trustLoopback ? "clients on this machine are trusted; others log in with a password"
                                   : "every client logs in with a password");

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
    bool clean = listener.Stop();
    LogLine("served " + std::to_string(listener.SessionsServed()) + " session(s), refused " +
            std::to_string(listener.SessionsRefused()));
    // Work that would not stop is abandoned: the databases keep only what was committed.
    if (!clean) std::_Exit(0);
    return 0;
}
