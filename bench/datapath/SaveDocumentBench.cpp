// Saving a document of one header and 1,000 body rows: through a client dataset, the in-process
// application server and its delta application, against the same rows inserted with raw prepared
// SQLite statements in one transaction.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "bench/company/ClientDocument.h"
#include "bench/company/RawDocument.h"
#include "BenchDatabase.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/data/DataSetField.h"
#include "toolkit/data/SocketConnection.h"
#include "toolkit/rtl/Dispatch.h"

namespace {

constexpr int kLines = 1000;

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
    static int document = 0;  // the library runs this function more than once: keys stay unique
    for (auto _ : state) {
        state.PauseTiming();
        main.Close();
        main.Open();
        if (!body.DataSetField()) body.SetDataSetField(static_cast<TDataSetField*>(main.FieldByName("qryBody")));
        if (!body.Active()) body.Open();
        FillClientDocument(main, body, "C" + std::to_string(++document), kLines);
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
    {
        TRawDocumentWriter writer(db);
        static int document = 0;  // the library runs this function more than once: keys stay unique
        for (auto _ : state) {
            const std::string error = writer.Insert("R" + std::to_string(++document), kLines);
            if (!error.empty()) {
                state.SkipWithError(error.c_str());
                break;
            }
        }
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * (kLines + 1));
}

}  // namespace

BENCHMARK(BM_SaveDocument_ClientDataSet)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SaveDocument_RawSqlite)->Unit(benchmark::kMillisecond)->UseRealTime();
