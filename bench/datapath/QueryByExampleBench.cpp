// The conditions of the query dialog on the 100,000-document company of the company generator
// (10 to 30 lines each): a "contains" test on the file name, and the detail filter on a field code.
// Each opens a client dataset on the in-process application server (pvdMain, bodies nested) and is
// compared with raw SQLite running the same header statement, as the server translates it; the first
// packet's raw baseline also reads the body lines of the headers it found (one statement for their
// keys), as the packet carries them.
//
// Counters: docs (documents listed), lines (body rows that reached the client), dupes (documents
// listed more than once; must be 0).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "bench/company/CompanyFiller.h"
#include "bench/company/RawPacket.h"
#include "BenchDatabase.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/data/DataSetField.h"
#include "toolkit/data/SocketConnection.h"

namespace {

constexpr int kPacket = 20;

// The texts the dialog builds: the grid row "文件名 包含 客户信息" (and one no document matches), and
// the detail page's line "字段编号 起始于 AB" with the detail filter on.
const char* const kLikeConditions[] = {" (ADMMC.MC002 like '%客户信息%' ) ", " (ADMMC.MC002 like '%没有的名称%' ) "};
const char* const kDetailCondition =
    " ( select count(*) FROM DEMO..ADMMD ADMMD where  (ADMMC.MC001=ADMMD.MD001) and  ( (ADMMD.MD003 like 'AB%') ) ) > 0 ";
// The same as the server runs them on SQLite.
const char* const kRawSelect =
    "SELECT ADMMC.*, ADMMA.MA002 AS MC004C FROM ADMMC ADMMC LEFT JOIN ADMMA ADMMA ON ADMMC.MC004 = ADMMA.MA001 WHERE ";
const char* const kRawLike[] = {"(ADMMC.MC002 like '%客户信息%') ORDER BY ADMMC.MC001 LIMIT 20",
                                "(ADMMC.MC002 like '%没有的名称%') ORDER BY ADMMC.MC001 LIMIT 20"};
const char* const kRawDetail =
    "(( select count(*) FROM ADMMD ADMMD where (ADMMC.MC001=ADMMD.MD001) and ((ADMMD.MD003 like 'AB%')) ) > 0) "
    "ORDER BY ADMMC.MC001";

const std::string& Company() {
    static const std::string path = [] {
        const std::string file = MakeBenchDatabase("qbe-empty", 0, 0);
        const std::string filled = std::filesystem::path(file).replace_filename("qbe-company.db").string();
        FillOptions options;
        options.documents = 100000;
        FillCompany(filled, options);
        return filled;
    }();
    return path;
}

[[maybe_unused]] const bool kCompanyNeeded = NeedBenchDatabase(
    {"BM_QBE_LikeFirstPacket_ClientDataSet/0", "BM_QBE_LikeFirstPacket_ClientDataSet/1", "BM_QBE_LikeFirstPacket_RawSQLite/0",
     "BM_QBE_LikeFirstPacket_RawSQLite/1", "BM_QBE_DetailFilter_ClientDataSet", "BM_QBE_DetailFilter_RawSQLite"},
    [] { Company(); });

long long RawRows(sqlite3* db, const std::string& sql, std::size_t& bytes) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr);
    long long rows = 0;
    while (sqlite3_step(st) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            sqlite3_column_text(st, c);
            bytes += static_cast<std::size_t>(sqlite3_column_bytes(st, c));
        }
        ++rows;
    }
    sqlite3_finalize(st);
    return rows;
}

// Opens the header with the condition and walks what came: documents, their lines, repeated codes.
void OpenAndCount(TClientDataSet& main, TClientDataSet& body, const char* condition, int packet, benchmark::State& state) {
    main.Close();
    main.PacketRecords = packet;
    main.DataRequest(VarArrayOf({condition, "MC001"}));
    main.Open();
    if (!body.DataSetField()) body.SetDataSetField(static_cast<TDataSetField*>(main.FieldByName("qryBody")));
    if (!body.Active()) body.Open();
    std::set<std::string> codes;
    long long docs = 0, lines = 0;
    const int limit = packet > 0 ? packet : main.RecordCount();
    main.First();
    for (int row = 1; row <= limit && !main.Eof(); ++row) {
        codes.insert(main.FieldByName("MC001")->AsString());
        lines += body.RecordCount();
        ++docs;
        if (row < limit) main.Next();
    }
    state.counters["docs"] = static_cast<double>(docs);
    state.counters["lines"] = static_cast<double>(lines);
    state.counters["dupes"] = static_cast<double>(docs - static_cast<long long>(codes.size()));
}

void BM_QBE_LikeFirstPacket_ClientDataSet(benchmark::State& state) {
    TSocketConnection connection;
    ConnectInProcess(connection, Company());
    TClientDataSet main, body;
    main.RemoteServer = &connection;
    main.ProviderName = "pvdMain";
    for (auto _ : state) OpenAndCount(main, body, kLikeConditions[state.range(0)], kPacket, state);
}

void BM_QBE_LikeFirstPacket_RawSQLite(benchmark::State& state) {
    sqlite3* db = OpenRaw(Company());
    std::size_t bytes = 0;
    auto reader = std::make_unique<TRawPacketReader>(db);
    for (auto _ : state) {
        TRawPacket packet = reader->Read(std::string(kRawSelect) + kRawLike[state.range(0)]);
        bytes += packet.bytes;
        state.counters["docs"] = static_cast<double>(packet.headers);
        state.counters["lines"] = static_cast<double>(packet.lines);
    }
    benchmark::DoNotOptimize(bytes);
    reader.reset();
    sqlite3_close(db);
}

void BM_QBE_DetailFilter_ClientDataSet(benchmark::State& state) {
    TSocketConnection connection;
    ConnectInProcess(connection, Company());
    TClientDataSet main, body;
    main.RemoteServer = &connection;
    main.ProviderName = "pvdMain";
    for (auto _ : state) OpenAndCount(main, body, kDetailCondition, -1, state);
}

void BM_QBE_DetailFilter_RawSQLite(benchmark::State& state) {
    sqlite3* db = OpenRaw(Company());
    std::size_t bytes = 0;
    for (auto _ : state) state.counters["docs"] = static_cast<double>(RawRows(db, std::string(kRawSelect) + kRawDetail, bytes));
    benchmark::DoNotOptimize(bytes);
    sqlite3_close(db);
}

}  // namespace

BENCHMARK(BM_QBE_LikeFirstPacket_ClientDataSet)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QBE_LikeFirstPacket_RawSQLite)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QBE_DetailFilter_ClientDataSet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QBE_DetailFilter_RawSQLite)->Unit(benchmark::kMillisecond);
