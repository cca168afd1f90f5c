// The data path through the daemon: nexord started on 127.0.0.2 over a temporary company of 5,000
// generated documents, a client dataset over the socket opening the first packet of 20 documents
// (bodies nested) and saving a document of 1,000 lines, against the same rows read and written
// straight on the database. SQLite always; PostgreSQL with a server named by TDEF_POSTGRESQL, or a
// throwaway cluster when TDEF_TEST_POSTGRES=1, else skipped with a note. Prints each ratio.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "bench/company/CompanyFiller.h"
#include "bench/company/RawDocument.h"
#include "bench/company/RawPacket.h"
#include "bench/remote/RawPostgres.h"
#include "bench/remote/RemoteClient.h"
#include "bench/support/BaselineReporter.h"
#include "outside/appserver/CompanyDatabase.h"
#include "tests/outside/NexordProcess.h"
#include "tests/testkit/PostgresCluster.h"

namespace {

constexpr long long kDocuments = 5000;
constexpr int kLines = 1000;
const char* const kHeaderSelect =
    "SELECT ADMMC.*, ADMMA.MA002 AS MC004C FROM ADMMC ADMMC LEFT JOIN ADMMA ADMMA ON ADMMC.MC004 = ADMMA.MA001 "
    "ORDER BY ADMMC.MC001 LIMIT 20";

// A company at the location with the generated documents, served by nexord on 127.0.0.2.
std::unique_ptr<NexordProcess> ServedCompany(const std::string& location) {
    FillOptions options;
    options.documents = kDocuments;
    FillCompany(location, options);
    auto daemon = std::make_unique<NexordProcess>(location, "127.0.0.2");
    if (daemon->Port() <= 0) throw Exception("nexord did not start: " + daemon->Log());
    return daemon;
}

// The benchmarks of one backend: the product through the daemon and the raw baseline.
template <class RawPacketReader, class RawWriter>
void Register(const std::string& backend, const NexordProcess& daemon, RawPacketReader rawPacket, RawWriter rawSave) {
    const std::string address = daemon.Address();
    const int port = daemon.Port();
    benchmark::RegisterBenchmark(("BM_FirstPacket_Nexord/" + backend).c_str(), [=](benchmark::State& state) {
        TRemoteClient client(address, port);
        for (auto _ : state) {
            std::string error = client.OpenFirstPacket();
            if (!error.empty()) {
                state.SkipWithError(error.c_str());
                break;
            }
        }
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("BM_FirstPacket_Raw/" + backend).c_str(), [=](benchmark::State& state) {
        std::size_t bytes = 0;
        TRawPacket packet;
        for (auto _ : state) {
            packet = rawPacket();
            bytes += packet.bytes;
            if (packet.headers != TRemoteClient::kPacket) {
                state.SkipWithError(("the query did not give 20 rows " + packet.error).c_str());
                break;
            }
        }
        state.counters["lines"] = static_cast<double>(packet.lines);
        benchmark::DoNotOptimize(bytes);
    })->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(("BM_SaveDocument_Nexord/" + backend).c_str(),
                                 [=](benchmark::State& state) {
                                     TRemoteClient client(address, port);
                                     static int document = 0;  // keys stay unique over the library's repeated runs
                                     for (auto _ : state) {
                                         state.PauseTiming();
                                         client.PrepareDocument("N" + std::to_string(++document), kLines);
                                         state.ResumeTiming();
                                         std::string error = client.Save();
                                         if (!error.empty()) {
                                             state.SkipWithError(error.c_str());
                                             break;
                                         }
                                     }
                                     state.SetItemsProcessed(state.iterations() * (kLines + 1));
                                 })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("BM_SaveDocument_Raw/" + backend).c_str(),
                                 [=](benchmark::State& state) {
                                     static int document = 0;
                                     for (auto _ : state) {
                                         std::string error = rawSave("R" + std::to_string(++document));
                                         if (!error.empty()) {
                                             state.SkipWithError(error.c_str());
                                             break;
                                         }
                                     }
                                     state.SetItemsProcessed(state.iterations() * (kLines + 1));
                                 })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

sqlite3* OpenSqlite(const std::string& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
        throw Exception("cannot open " + path);
    sqlite3_busy_timeout(db, 10000);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA foreign_keys=ON;", nullptr, nullptr, nullptr);
    return db;
}

// The PostgreSQL server to measure on: TDEF_POSTGRESQL, else a throwaway cluster when asked for; ""
// when neither.
std::string PostgresConnection(std::unique_ptr<TPostgresCluster>& cluster) {
    if (const char* named = std::getenv("TDEF_POSTGRESQL"); named && *named) return named;
    if (!PostgresTestsWanted()) return "";
    cluster = TPostgresCluster::Start();
    return cluster->Connection();
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("tdef-remote-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    int status = 0;
    try {
        const std::string file = (folder / "company.db").string();
        auto sqliteDaemon = ServedCompany(file);
        std::shared_ptr<sqlite3> sqliteDb(OpenSqlite(file), sqlite3_close_v2);  // closes once its statements are gone
        auto sqliteWriter = std::make_shared<TRawDocumentWriter>(sqliteDb.get());
        auto sqliteReader = std::make_shared<TRawPacketReader>(sqliteDb.get());
        Register(
            "SQLite", *sqliteDaemon, [sqliteDb, sqliteReader] { return sqliteReader->Read(kHeaderSelect); },
            [sqliteDb, sqliteWriter](const std::string& key) { return sqliteWriter->Insert(key, kLines); });

        std::unique_ptr<TPostgresCluster> cluster;
        std::unique_ptr<NexordProcess> pgDaemon;
        std::shared_ptr<TRawPostgres> pg;
        const std::string connection = PostgresConnection(cluster);
        const std::string schema = "tdef_remote_" + std::to_string(getpid());
        if (connection.empty()) {
            std::printf("PostgreSQL: skipped (TDEF_POSTGRESQL names a server; TDEF_TEST_POSTGRES=1 starts a throwaway one)\n");
        } else {
            setenv("TDEF_POSTGRESQL", connection.c_str(), 1);  // the daemon and the company generator read it
            pgDaemon = ServedCompany(kPostgresPrefix + schema);
            pg = std::make_shared<TRawPostgres>(connection, schema);
            Register(
                "PostgreSQL", *pgDaemon, [pg] { return pg->ReadPacket(kHeaderSelect); },
                [pg](const std::string& key) { return pg->InsertDocument(key, kLines); });
        }

        TBaselineReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        reporter.PrintRatios("BM_FirstPacket_Nexord", "BM_FirstPacket_Raw");
        reporter.PrintRatios("BM_SaveDocument_Nexord", "BM_SaveDocument_Raw");
        if (pg && !cluster) pg->Run(("DROP SCHEMA " + schema + " CASCADE").c_str());
    } catch (const Exception& e) {
        std::fprintf(stderr, "bench_remote: %s\n", e.Message().c_str());
        status = 1;
    }
    std::filesystem::remove_all(folder);
    benchmark::Shutdown();
    return status;
}
