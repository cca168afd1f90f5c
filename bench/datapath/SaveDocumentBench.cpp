// Saving a document of one header and 1,000 body rows: through a client dataset, the in-process
// application server and its delta application, against the same rows inserted with raw prepared
// SQLite statements in one transaction.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "BenchDatabase.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/data/DataSetField.h"
#include "toolkit/data/SocketConnection.h"
#include "toolkit/rtl/Dispatch.h"

namespace {

constexpr int kLines = 1000;

std::string Seq(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d", n);
    return text;
}

void FillDocument(TClientDataSet& main, TClientDataSet& body, const std::string& key) {
    main.Append();
    main.FieldByName("MC001")->SetAsString(key);
    main.FieldByName("MC002")->SetAsString("基准文档");
    main.FieldByName("MC003")->SetAsString("1");
    main.FieldByName("MC004")->SetAsString("ADM");
    main.FieldByName("COMPANY")->SetAsString("DEMO");
    main.FieldByName("CREATOR")->SetAsString("DS");
    main.FieldByName("USR_GROUP")->SetAsString("ADMIN");
    main.FieldByName("CREATE_DATE")->SetAsString("20240102083000000");
    main.FieldByName("FLAG")->SetAsInteger(1);
    for (int l = 1; l <= kLines; ++l) {
        body.Append();
        body.FieldByName("MD001")->SetAsString(key);
        body.FieldByName("MD002")->SetAsString(Seq(l));
        body.FieldByName("MD003")->SetAsString("F" + Seq(l));
        body.FieldByName("MD004")->SetAsString("字段说明");
        body.FieldByName("MD005")->SetAsString("V");
        body.FieldByName("MD006")->SetAsFloat(10);
        body.FieldByName("COMPANY")->SetAsString("DEMO");
        body.FieldByName("CREATOR")->SetAsString("DS");
        body.FieldByName("USR_GROUP")->SetAsString("ADMIN");
        body.FieldByName("CREATE_DATE")->SetAsString("20240102083000000");
        body.FieldByName("FLAG")->SetAsInteger(1);
        body.Post();
    }
    main.Post();
}

void BM_SaveDocument_ClientDataSet(benchmark::State& state) {
    std::string path = MakeBenchDatabase("save_client", 0, 0);
    TSocketConnection connection;
    ConnectInProcess(connection, path);
    TClientDataSet main, body;
    main.RemoteServer = &connection;
    main.ProviderName = "pvdMain";
    main.DataRequest(VarArrayOf({"1=2", ""}));
    std::string refusal;
    main.OnReconcileError = [&](TClientDataSet*, EReconcileError& e, TUpdateKind, TReconcileAction&) { refusal = e.Message(); };
    body.OnReconcileError = main.OnReconcileError;
    static int document = 0;   // the library runs this function more than once: keys stay unique
    for (auto _ : state) {
        state.PauseTiming();
        main.Close();
        main.Open();
        if (!body.DataSetField()) body.SetDataSetField(static_cast<TDataSetField*>(main.FieldByName("qryBody")));
        if (!body.Active()) body.Open();
        FillDocument(main, body, "C" + std::to_string(++document));
        state.ResumeTiming();
        if (main.ApplyUpdates(0) != 0) {
            state.SkipWithError(("the server refused the document: " + refusal).c_str());
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * (kLines + 1));
}

void BM_SaveDocument_RawSqlite(benchmark::State& state) {
    std::string path = MakeBenchDatabase("save_raw", 0, 0);
    sqlite3* db = OpenRaw(path);
    sqlite3_stmt* header = nullptr;
    sqlite3_stmt* line = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO ADMMC (MC001, MC002, MC003, MC004, COMPANY, CREATOR, USR_GROUP, CREATE_DATE, FLAG) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
                       -1, &header, nullptr);
    sqlite3_prepare_v2(db,
                       "INSERT INTO ADMMD (MD001, MD002, MD003, MD004, MD005, MD006, COMPANY, CREATOR, USR_GROUP, "
                       "CREATE_DATE, FLAG) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                       -1, &line, nullptr);
    auto text = [](sqlite3_stmt* st, int i, const std::string& s) {
        sqlite3_bind_text(st, i, s.data(), static_cast<int>(s.size()), SQLITE_TRANSIENT);
    };
    static int document = 0;   // the library runs this function more than once: keys stay unique
    for (auto _ : state) {
        std::string key = "R" + std::to_string(++document);
        sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        text(header, 1, key);
        text(header, 2, "基准文档");
        text(header, 3, "1");
        text(header, 4, "ADM");
        text(header, 5, "DEMO");
        text(header, 6, "DS");
        text(header, 7, "ADMIN");
        text(header, 8, "20240102083000000");
        sqlite3_bind_int(header, 9, 1);
        if (sqlite3_step(header) != SQLITE_DONE) {
            state.SkipWithError(sqlite3_errmsg(db));
            break;
        }
        sqlite3_reset(header);
        for (int l = 1; l <= kLines; ++l) {
            text(line, 1, key);
            text(line, 2, Seq(l));
            text(line, 3, "F" + Seq(l));
            text(line, 4, "字段说明");
            text(line, 5, "V");
            sqlite3_bind_double(line, 6, 10);
            text(line, 7, "DEMO");
            text(line, 8, "DS");
            text(line, 9, "ADMIN");
            text(line, 10, "20240102083000000");
            sqlite3_bind_int(line, 11, 1);
            if (sqlite3_step(line) != SQLITE_DONE) state.SkipWithError(sqlite3_errmsg(db));
            sqlite3_reset(line);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    }
    sqlite3_finalize(header);
    sqlite3_finalize(line);
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * (kLines + 1));
}

}  // namespace

BENCHMARK(BM_SaveDocument_ClientDataSet)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveDocument_RawSqlite)->Unit(benchmark::kMillisecond)->UseRealTime();
