// Opening a table of 10,000 to 1,000,000 documents and showing its first packet of 20 rows: a client
// dataset on the in-process application server (its pvdMain provider, bodies nested) against raw SQLite
// reading the same rows: the header statement with LIMIT 20, then the body lines of those 20 headers
// with one prepared statement for their keys (the packet carries them; the first headers are the demo
// company's, whose bodies hold a few hundred lines). Both should stay flat as the table grows.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "bench/company/RawPacket.h"
#include "BenchDatabase.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/data/SocketConnection.h"
#include "toolkit/rtl/Dispatch.h"

namespace {

constexpr int kPacket = 20;
const char* const kHeaderSelect =
    "SELECT ADMMC.*, ADMMA.MA002 AS MC004C FROM ADMMC ADMMC LEFT JOIN ADMMA ADMMA ON ADMMC.MC004 = ADMMA.MA001 "
    "ORDER BY ADMMC.MC001 LIMIT 20";

constexpr long long kTableRows[] = {10000, 100000, 1000000};

std::string TablePath(long long rows) { return MakeBenchDatabase("rows" + std::to_string(rows), rows, 0); }

void TableSizes(benchmark::internal::Benchmark* bench) {
    for (long long rows : kTableRows) bench->Arg(rows);
}

[[maybe_unused]] const bool kTablesNeeded = [] {
    for (long long rows : kTableRows) {
        std::vector<std::string> names;
        for (const char* bench : {"BM_FirstPacket_ClientDataSet/", "BM_FirstPacket_ServerCall/", "BM_FirstPacket_RawLimit/"})
            names.push_back(bench + std::to_string(rows));
        NeedBenchDatabase(names, [rows] { TablePath(rows); });
    }
    return true;
}();

void BM_FirstPacket_ClientDataSet(benchmark::State& state) {
    TSocketConnection connection;
    ConnectInProcess(connection, TablePath(state.range(0)));
    TClientDataSet main;
    main.RemoteServer = &connection;
    main.ProviderName = "pvdMain";
    main.PacketRecords = kPacket;
    main.DataRequest(VarArrayOf({"", ""}));
    std::size_t shown = 0;
    for (auto _ : state) {
        main.Close();
        main.Open();
        if (main.RecordCount() != kPacket) {
            state.SkipWithError("the first packet is not 20 rows");
            break;
        }
        // Showing the rows; stepping past the 20th would fetch the next packet.
        main.First();
        for (int row = 1; row <= kPacket; ++row) {
            shown += main.FieldByName("MC001")->AsString().size() + main.FieldByName("MC002")->AsString().size();
            if (row < kPacket) main.Next();
        }
    }
    benchmark::DoNotOptimize(shown);
}

// The server's part alone: one AS_GetRecords call for a new cursor, as the client makes it on open.
void BM_FirstPacket_ServerCall(benchmark::State& state) {
    TSocketConnection connection;
    ConnectInProcess(connection, TablePath(state.range(0)));
    Variant server = connection.AppServer();
    for (auto _ : state) {
        Variant recs, params, owner;
        VarArgs args{Variant("pvdMain"), Variant(kPacket),      Variant::Ref(&recs), Variant(3),
                     Variant(""),        Variant::Ref(&params), Variant::Ref(&owner)};
        Variant packet = OleCall(server, "AS_GetRecords", args);
        if (recs.AsInteger() != kPacket) {
            state.SkipWithError("the first packet is not 20 rows");
            break;
        }
        benchmark::DoNotOptimize(packet);
    }
}

void BM_FirstPacket_RawLimit(benchmark::State& state) {
    std::string path = TablePath(state.range(0));
    sqlite3* db = OpenRaw(path);
    TRawPacket packet;
    std::size_t shown = 0;
    auto reader = std::make_unique<TRawPacketReader>(db);
    for (auto _ : state) {
        packet = reader->Read(kHeaderSelect);
        shown += packet.bytes;
        if (packet.headers != kPacket) {
            state.SkipWithError(("the query did not give 20 rows " + packet.error).c_str());
            break;
        }
    }
    state.counters["lines"] = static_cast<double>(packet.lines);
    benchmark::DoNotOptimize(shown);
    reader.reset();
    sqlite3_close(db);
}

}  // namespace

BENCHMARK(BM_FirstPacket_ClientDataSet)->Apply(TableSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstPacket_ServerCall)->Apply(TableSizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstPacket_RawLimit)->Apply(TableSizes)->Unit(benchmark::kMicrosecond);
