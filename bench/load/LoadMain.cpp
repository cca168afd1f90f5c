// Load test of the application-server daemon: many clients saving the same few rows at once.
//   bench_load [--clients N] [--updates N] [--rows N] [--sqlite-only]
// For each backend (an SQLite file; PostgreSQL at TDEF_POSTGRESQL, else a throwaway cluster of this
// machine's PostgreSQL server programs) it starts nexord on 127.0.0.2, runs N clients that each read
// one of a few hot rows, add one to the counter the row holds and save it as the data modules do
// (client datasets, FLAG one up), and reports what was applied and what refused. It checks that
// every update sent was either applied or refused, and that the counters hold exactly the applied
// updates (none lost). The same reads and conditional updates run directly on the database by as many
// connections give the baseline. Exit status 1 when a check fails.
#include <libpq-fe.h>
#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "outside/appserver/CompanyDatabase.h"
#include "tests/outside/NexordProcess.h"
#include "tests/testkit/PostgresCluster.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/data/DataSetField.h"
#include "toolkit/data/SocketConnection.h"
#include "toolkit/rtl/Dispatch.h"

namespace {

struct Settings {
    int clients = 32;
    int updates = 200;  // per client
    int rows = 8;       // the hot rows all clients save
    bool sqliteOnly = false;
};

struct Tally {
    std::atomic<long long> applied{0}, refused{0}, failed{0};
    double seconds = 0;
    long long Sent() const { return applied + refused + failed; }
};

std::string RowKey(int row) {
    char key[16];
    std::snprintf(key, sizeof key, "H%03d", row + 1);
    return key;
}

// The hot rows: documents H001... with one line each whose MD004 is the counter, FLAG 1.
void PrepareRows(CompanyDatabase& db, int rows) {
    db.InTransaction([&] {
        for (int r = 0; r < rows; ++r) {
            db.Query(
                "INSERT INTO ADMMC (MC001, MC002, MC003, MC004, COMPANY, CREATOR, FLAG) VALUES (?, 'hot', '1', 'ADM', 'DEMO', "
                "'DS', 1)",
                {RowKey(r)});
            db.Query("INSERT INTO ADMMD (MD001, MD002, MD003, MD004, FLAG) VALUES (?, '0001', 'COUNTER', '0', 1)", {RowKey(r)});
        }
    });
}

// One client as a program window works: connection, header dataset and its body.
void RunClient(const std::string& address, int port, const Settings& s, int k, Tally& tally) {
    TSocketConnection connection;
    connection.Address = address;
    connection.Port = port;
    connection.ServerName = "Nexor01S.Class1";
    connection.CallTimeoutMs = 120000;
    connection.Open();
    if (OleCall(connection.AppServer(), "Connect", {VarArrayOf({"TDEF05", "DS", "DEMO", "DEMO", true, false})}).AsInteger() != 0)
        throw Exception("Connect refused");
    TClientDataSet main, body;
    main.RemoteServer = &connection;
    main.ProviderName = "pvdMain";
    bool refusedNow = false;
    body.OnReconcileError = [&](TClientDataSet*, EReconcileError&, TUpdateKind, TReconcileAction& action) {
        refusedNow = true;
        action = raCancel;
    };
    for (int u = 0; u < s.updates; ++u) {
        std::string key = RowKey((k + u) % s.rows);
        try {
            main.Close();
            main.DataRequest(VarArrayOf({"ADMMC.MC001 = '" + key + "'", ""}));
            main.Open();
            if (!body.DataSetField()) body.SetDataSetField(static_cast<TDataSetField*>(main.FieldByName("qryBody")));
            if (!body.Active()) body.Open();
            body.Edit();
            body.FieldByName("MD004")->SetAsString(std::to_string(std::stoll(body.FieldByName("MD004")->AsString()) + 1));
            body.FieldByName("FLAG")->SetAsInteger((body.FieldByName("FLAG")->AsInteger() + 1) % 1000);
            body.Post();
            refusedNow = false;
            int errors = main.ApplyUpdates(0);
            (errors == 0 && !refusedNow ? tally.applied : tally.refused)++;
        } catch (const Exception& e) {
            tally.failed++;
            std::fprintf(stderr, "client %d: %s\n", k, e.Message().c_str());
        }
    }
}

// The same work straight on the database: read the counter and FLAG, then update where FLAG is still
// what was read.
using DirectUpdate = std::function<bool(int row)>;  // true when applied

template <class MakeWorker>
void RunAll(const Settings& s, Tally& tally, MakeWorker makeWorker) {
    auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> threads;
    for (int k = 0; k < s.clients; ++k) threads.emplace_back([&, k] { makeWorker(k); });
    for (auto& t : threads) t.join();
    tally.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

DirectUpdate SqliteDirect(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr);
    sqlite3_busy_timeout(db, 10000);
    auto handle = std::shared_ptr<sqlite3>(db, sqlite3_close);
    return [handle](int row) {
        sqlite3* db = handle.get();
        std::string key = RowKey(row);
        sqlite3_stmt* read = nullptr;
        sqlite3_prepare_v2(db, "SELECT MD004, FLAG FROM ADMMD WHERE MD001 = ? AND MD002 = '0001'", -1, &read, nullptr);
        sqlite3_bind_text(read, 1, key.c_str(), -1, SQLITE_TRANSIENT);
        long long counter = 0, flag = 0;
        if (sqlite3_step(read) == SQLITE_ROW) {
            counter = std::atoll(reinterpret_cast<const char*>(sqlite3_column_text(read, 0)));
            flag = sqlite3_column_int64(read, 1);
        }
        sqlite3_finalize(read);
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        sqlite3_stmt* update = nullptr;
        sqlite3_prepare_v2(db,
                           "UPDATE ADMMD SET MD004 = ?, FLAG = (FLAG + 1) % 1000 WHERE MD001 = ? AND MD002 = '0001' AND FLAG = ?",
                           -1, &update, nullptr);
        std::string next = std::to_string(counter + 1);
        sqlite3_bind_text(update, 1, next.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(update, 2, key.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(update, 3, flag);
        sqlite3_step(update);
        sqlite3_finalize(update);
        bool applied = sqlite3_changes(db) > 0;
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        return applied;
    };
}

DirectUpdate PostgresDirect(const std::string& connection, const std::string& schema) {
    PGconn* conn = PQconnectdb(connection.c_str());
    PQclear(PQexec(conn, ("SET search_path TO " + schema).c_str()));
    auto handle = std::shared_ptr<PGconn>(conn, PQfinish);
    return [handle](int row) {
        PGconn* conn = handle.get();
        std::string key = RowKey(row);
        const char* readParams[] = {key.c_str()};
        PGresult* read = PQexecParams(conn, "SELECT MD004, FLAG FROM ADMMD WHERE MD001 = $1 AND MD002 = '0001'", 1, nullptr,
                                      readParams, nullptr, nullptr, 0);
        std::string counter = std::to_string(std::atoll(PQgetvalue(read, 0, 0)) + 1), flag = PQgetvalue(read, 0, 1);
        PQclear(read);
        const char* params[] = {counter.c_str(), key.c_str(), flag.c_str()};
        PGresult* update =
            PQexecParams(conn,
                         "UPDATE ADMMD SET MD004 = $1, FLAG = (FLAG + 1) % 1000 WHERE MD001 = $2 AND MD002 = '0001' "
                         "AND FLAG = $3::numeric",
                         3, nullptr, params, nullptr, nullptr, 0);
        bool applied = std::atoi(PQcmdTuples(update)) > 0;
        PQclear(update);
        return applied;
    };
}

// Runs the load on one backend; false when a check fails.
bool Measure(const char* backend, const std::string& location, const Settings& s,
             const std::function<DirectUpdate()>& makeDirect) {
    {
        CompanyDatabase::Create(location);
        CompanyDatabase db(location);
        PrepareRows(db, s.rows);
    }
    NexordProcess daemon(location, "127.0.0.2", {"--max-sessions-per-peer", std::to_string(s.clients + 8)});
    if (daemon.Port() <= 0) throw Exception("nexord did not start: " + daemon.Log());
    Tally served;
    RunAll(s, served, [&](int k) { RunClient(daemon.Address(), daemon.Port(), s, k, served); });

    CompanyDatabase db(location);
    SqlResult stored = db.Query("SELECT SUM(CAST(MD004 AS INTEGER)) FROM ADMMD WHERE MD003 = 'COUNTER'");
    long long counters = stored.rows[0][0].AsInt64();
    long long sent = static_cast<long long>(s.clients) * s.updates;

    // The baseline: the rows back to 0, then the same work straight on the database.
    db.Query("UPDATE ADMMD SET MD004 = '0', FLAG = 1 WHERE MD003 = 'COUNTER'");
    Tally direct;
    RunAll(s, direct, [&](int k) {
        DirectUpdate update = makeDirect();
        for (int u = 0; u < s.updates; ++u) (update((k + u) % s.rows) ? direct.applied : direct.refused)++;
    });
    long long directCounters =
        db.Query("SELECT SUM(CAST(MD004 AS INTEGER)) FROM ADMMD WHERE MD003 = 'COUNTER'").rows[0][0].AsInt64();

    bool accounted = served.Sent() == sent && served.failed == 0;
    bool nothingLost = counters == served.applied;
    std::printf("\n%s: %d clients x %d updates of %d hot rows through nexord\n", backend, s.clients, s.updates, s.rows);
    std::printf(
        "  through nexord : sent %lld  applied %lld  refused %lld  failed %lld  stored %lld  lost %lld  %.1f s  %.0f saves/s "
        "(%.0f applied/s)\n",
        sent, served.applied.load(), served.refused.load(), served.failed.load(), counters, served.applied - counters,
        served.seconds, sent / served.seconds, served.applied / served.seconds);
    std::printf(
        "  direct         : sent %lld  applied %lld  refused %lld  stored %lld  %.1f s  %.0f updates/s (%.0f applied/s)\n", sent,
        direct.applied.load(), direct.refused.load(), directCounters, direct.seconds, sent / direct.seconds,
        direct.applied / direct.seconds);
    std::printf("  checks         : applied + refused = sent %s; stored counters = applied %s\n", accounted ? "yes" : "NO",
                nothingLost ? "yes" : "NO");
    return accounted && nothingLost;
}

Settings ReadSettings(int argc, char** argv) {
    Settings s;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto next = [&] { return i + 1 < argc ? std::atoi(argv[++i]) : 0; };
        if (a == "--clients")
            s.clients = next();
        else if (a == "--updates")
            s.updates = next();
        else if (a == "--rows")
            s.rows = next();
        else if (a == "--sqlite-only")
            s.sqliteOnly = true;
    }
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    Settings s = ReadSettings(argc, argv);
    bool ok = true;
    std::string folder = (std::filesystem::temp_directory_path() / ("tdef-load-" + std::to_string(getpid()))).string();
    std::filesystem::create_directories(folder);
    try {
        std::string file = folder + "/company.db";
        ok = Measure("SQLite", file, s, [&] { return SqliteDirect(file); }) && ok;
        if (!s.sqliteOnly) {
            std::unique_ptr<TPostgresCluster> cluster;
            std::string connection = std::getenv("TDEF_POSTGRESQL") ? std::getenv("TDEF_POSTGRESQL") : "";
            if (connection.empty()) {
                cluster = TPostgresCluster::Start();
                connection = cluster->Connection();
            }
            setenv("TDEF_POSTGRESQL", connection.c_str(), 1);
            std::string schema = "tdef_load_" + std::to_string(getpid());
            ok = Measure("PostgreSQL", kPostgresPrefix + schema, s, [&] { return PostgresDirect(connection, schema); }) && ok;
        }
    } catch (const Exception& e) {
        std::fprintf(stderr, "bench_load: %s\n", e.Message().c_str());
        ok = false;
    }
    std::filesystem::remove_all(folder);
    return ok ? 0 : 1;
}
