// Tdef05's window on a company of 100,000 documents (the generator of bench/company), in this process
// as the work center runs it: showing the first document with its body, and saving a document of
// 1,000 lines through the window's DoSave, each against raw SQLite doing the same reads or inserts in
// the same run; and typing those 1,000 lines, against a bare client dataset taking the same rows.
// The program prints the ratios at the end.
//
// Filling the company takes a while: the filled file is kept (TDEF_BENCH_COMPANY names it, else
// bench-company-100000.db beside this program) and copied into a fresh installation each run.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "bench/company/CompanyFiller.h"
#include "bench/company/RawDocument.h"
#include "bench/company/RawPacket.h"
#include "outside/torvane/DemoInstallation.h"
#include "outside/torvane/HostManager.h"
#include "programs/tdef05/Tdef05DataModule.h"
#include "programs/tdef05/Tdef05Form.h"
#include "server/Brokers.h"
#include "toolkit/data/ClientDataSet.h"
#include "toolkit/os/Paths.h"
#include "toolkit/rtl/Dispatch.h"
#include "toolkit/rtl/SysUtils.h"
#include "toolkit/ui/dialogs/HeadlessServices.h"
#include "toolkit/ui/kernel/Application.h"

namespace {

constexpr long long kDocuments = 100000;
constexpr int kPacket = 20;  // the header packet of the window's data module
constexpr int kLines = 1000;

std::string BinFolder() { return IncludeTrailingPathDelimiter(ExtractFilePath(ExecutableFileName())); }

// The filled company, made once and kept for later runs.
std::string FilledCompany() {
    const char* named = std::getenv("TDEF_BENCH_COMPANY");
    const std::string path = named && *named ? named : BinFolder() + "bench-company-" + std::to_string(kDocuments) + ".db";
    if (!std::filesystem::exists(path)) {
        std::fprintf(stderr, "filling %s with %lld documents (once)...\n", path.c_str(), kDocuments);
        FillOptions options;
        options.documents = kDocuments;
        const std::string partial = path + ".filling";
        std::filesystem::remove(partial);
        FillCompany(partial, options);
        std::filesystem::rename(partial, path);
    }
    return path;
}

// An installation whose demo database is a copy of the filled company, with headless services.
struct TBenchInstallation {
    TDemoInstallation install;
    std::string database;

    TBenchInstallation() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tdef-bench-window-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        install = WriteDemoInstallation(IncludeTrailingPathDelimiter(pattern), BinFolder());
        setenv("VANDRIL_REGISTRY", install.RegistryFile.c_str(), 1);
        database = install.ServerPath + "Data/DEMO.db";
        std::filesystem::create_directories(install.ServerPath + "Data");
        std::filesystem::copy_file(FilledCompany(), database, std::filesystem::copy_options::overwrite_existing);
        Application->SetMessageService(std::make_shared<THeadlessMessageService>());
        Application->SetModalLoop(std::make_shared<THeadlessModalLoop>());
        Application->SetBeepService(std::make_shared<THeadlessBeepService>());
    }
    ~TBenchInstallation() {
        std::error_code ignored;
        std::filesystem::remove_all(install.Folder, ignored);
    }
};

TBenchInstallation& Installation() {
    static TBenchInstallation installation;
    return installation;
}

// Tdef05 started for the demo administrator and shown, as the work center starts it.
struct TStartedWindow {
    std::shared_ptr<THostManager> manager = std::make_shared<THostManager>();
    TfrmTdef05* form = nullptr;

    TStartedWindow() {
        Installation();
        form = CreateComponent<TfrmTdef05>(nullptr);
        form->LibraryPath = BinFolder() + "Tdef05C.so";
        form->Brokers->HostManager = Variant(DispatchPtr(manager));
        OleCall(form->Brokers->HostManager, "Connect", {VarArrayOf({"DS", "DEMO", "DEMO"})});
        form->StartProgram(VarArrayOf({"DS", "DEMO", "DEMO", 0, ""}));
        form->Show();
        Application->ProcessMessages();
    }
    ~TStartedWindow() {
        form->Free();
        Application->ProcessMessages();
    }
    TdmTdef05& Dm() const { return *static_cast<TdmTdef05*>(form->DataModule); }
};

// What the window shows of the current document: the header's texts and every body line's.
std::size_t ShownDocument(TdmTdef05& dm) {
    std::size_t shown = 0;
    for (int i = 0; i < dm.cdsMain->FieldCount(); ++i) shown += dm.cdsMain->Fields(i)->DisplayText().size();
    for (dm.cdsBody1->First(); !dm.cdsBody1->Eof(); dm.cdsBody1->Next())
        for (int i = 0; i < dm.cdsBody1->FieldCount(); ++i) shown += dm.cdsBody1->Fields(i)->DisplayText().size();
    dm.cdsBody1->First();
    return shown;
}

void BM_Tdef05_FirstDocument_Window(benchmark::State& state) {
    TStartedWindow window;
    TdmTdef05& dm = window.Dm();
    std::size_t shown = 0;
    for (auto _ : state) {
        // The query of every document, as the query command with an empty condition runs it.
        window.form->OpenWithCondition(dm.cdsMain, "", "");
        Application->ProcessMessages();
        if (dm.cdsMain->RecordCount() != kPacket || dm.cdsBody1->RecordCount() == 0) {
            state.SkipWithError("the window did not show a first packet with a body");
            break;
        }
        shown += ShownDocument(dm);
    }
    benchmark::DoNotOptimize(shown);
}

// The same through SQLite alone: the header packet and, for each of its documents, the body rows
// (the server reads the nested bodies of a packet the same way), every column in its stored type.
void BM_Tdef05_FirstDocument_RawSqlite(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(Installation().database.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_stmt* header = nullptr;
    sqlite3_stmt* body = nullptr;
    sqlite3_prepare_v2(
        db,
        "SELECT ADMMC.*, ADMMA.MA002 AS MC004C FROM ADMMC ADMMC LEFT JOIN ADMMA ADMMA ON ADMMC.MC004 = ADMMA.MA001 "
        "ORDER BY ADMMC.MC001 LIMIT 20",
        -1, &header, nullptr);
    sqlite3_prepare_v2(db, "SELECT * FROM ADMMD WHERE MD001 = ? ORDER BY MD001, MD002", -1, &body, nullptr);
    std::size_t shown = 0;
    for (auto _ : state) {
        int headers = 0, lines = 0;
        while (sqlite3_step(header) == SQLITE_ROW) {
            shown += ReadRawColumns(header);
            ++headers;
            sqlite3_bind_text(body, 1, reinterpret_cast<const char*>(sqlite3_column_text(header, 0)), -1, SQLITE_TRANSIENT);
            while (sqlite3_step(body) == SQLITE_ROW) {
                shown += ReadRawColumns(body);
                ++lines;
            }
            sqlite3_reset(body);
        }
        sqlite3_reset(header);
        if (headers != kPacket || lines == 0) {
            state.SkipWithError("the raw reads found no packet with bodies");
            break;
        }
    }
    benchmark::DoNotOptimize(shown);
    sqlite3_finalize(header);
    sqlite3_finalize(body);
    sqlite3_close(db);
}

// Starting the program whole (window, connection, settings, first packet), for the record.
void BM_Tdef05_Start_Window(benchmark::State& state) {
    Installation();
    for (auto _ : state) {
        auto window = std::make_unique<TStartedWindow>();
        benchmark::DoNotOptimize(window->Dm().cdsMain->RecordCount());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
}

void DeleteDocument(const std::string& key) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(Installation().database.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_busy_timeout(db, 10000);
    const std::string sql = "DELETE FROM ADMMD WHERE MD001 = '" + key + "'; DELETE FROM ADMMC WHERE MC001 = '" + key + "';";
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

int CountLines(const std::string& key) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(Installation().database.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, ("SELECT COUNT(*) FROM ADMMD WHERE MD001 = '" + key + "'").c_str(), -1, &st, nullptr);
    const int n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
    sqlite3_finalize(st);
    sqlite3_close(db);
    return n;
}

// The lines as the user types them: a field code, a name, a type and a length each; the window gives
// the keys and line numbers.
void EnterLines(TDataSet& body) {
    for (int l = 1; l <= kLines; ++l) {
        body.Append();
        body.FieldByName("MD003")->SetAsString("F" + RawLineNumber(l));
        body.FieldByName("MD004")->SetAsString("字段说明");
        body.FieldByName("MD005")->SetAsString("V");
        body.FieldByName("MD006")->SetAsFloat(10);
        body.Post();
    }
}

// Typing 1,000 lines of a new document in the window: each line is numbered and its code checked
// against the lines before it.
void BM_Tdef05_EnterLines_Window(benchmark::State& state) {
    TStartedWindow window;
    TdmTdef05& dm = window.Dm();
    for (auto _ : state) {
        state.PauseTiming();
        window.form->DoAdd(true);
        dm.cdsMain->FieldByName("MC001")->SetAsString("E1");
        state.ResumeTiming();
        EnterLines(*dm.cdsBody1);
        state.PauseTiming();
        if (dm.cdsBody1->RecordCount() != kLines || dm.cdsBody1->FieldByName("MD002")->AsString() != RawLineNumber(kLines)) {
            state.SkipWithError("the window did not number the lines");
            break;
        }
        window.form->DoCancel(false);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}

// The same lines appended to a bare client dataset of the body's columns, numbered by the caller.
void BM_Tdef05_EnterLines_RawDataSet(benchmark::State& state) {
    for (auto _ : state) {
        TClientDataSet body;
        for (const char* name : {"MD001", "MD002", "MD003", "MD004", "MD005"}) body.FieldDefs().Add(name, ftString, 40);
        body.FieldDefs().Add("MD006", ftFloat);
        body.CreateDataSet();
        for (int l = 1; l <= kLines; ++l) {
            body.Append();
            body.FieldByName("MD001")->SetAsString("E1");
            body.FieldByName("MD002")->SetAsString(RawLineNumber(l));
            body.FieldByName("MD003")->SetAsString("F" + RawLineNumber(l));
            body.FieldByName("MD004")->SetAsString("字段说明");
            body.FieldByName("MD005")->SetAsString("V");
            body.FieldByName("MD006")->SetAsFloat(10);
            body.Post();
        }
        benchmark::DoNotOptimize(body.RecordCount());
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}

void BM_Tdef05_SaveDocument_Window(benchmark::State& state) {
    TStartedWindow window;
    TdmTdef05& dm = window.Dm();
    window.form->IsKeepOnAdd = false;  // the save alone, not the next new document
    static int document = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string key = "W" + std::to_string(++document);
        window.form->DoAdd(true);
        dm.cdsMain->FieldByName("MC001")->SetAsString(key);
        dm.cdsMain->FieldByName("MC002")->SetAsString("基准文档");
        dm.cdsMain->FieldByName("MC004")->SetAsString("ADM");
        EnterLines(*dm.cdsBody1);
        state.ResumeTiming();
        const bool saved = window.form->DoSave();
        state.PauseTiming();
        if (!saved || CountLines(key) != kLines) {
            state.SkipWithError("the window did not save the document with its lines");
            break;
        }
        DeleteDocument(key);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * (kLines + 1));
}

// The same rows (the columns the window's save writes) with raw prepared inserts in one transaction.
void BM_Tdef05_SaveDocument_RawInserts(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(Installation().database.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    sqlite3_busy_timeout(db, 10000);
    sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA foreign_keys=ON;", nullptr, nullptr, nullptr);
    {
        TRawDocumentWriter writer(db);
        static int document = 0;
        for (auto _ : state) {
            const std::string key = "R" + std::to_string(++document);
            const std::string error = writer.Insert(key, kLines);
            if (!error.empty()) {
                state.SkipWithError(error.c_str());
                break;
            }
            state.PauseTiming();
            DeleteDocument(key);
            state.ResumeTiming();
        }
    }
    sqlite3_close(db);
    state.SetItemsProcessed(state.iterations() * (kLines + 1));
}

// Keeps each benchmark's time per iteration to print the ratios at the end.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    // With repetitions (best interleaved: --benchmark_repetitions=10 --benchmark_enable_random_interleaving=true)
    // the medians are compared; this machine's timings swing too much for one run to say.
    void PrintRatio(const char* what, const std::string& ours, const std::string& raw) {
        const bool medians = times[ours + "_median"] > 0 && times[raw + "_median"] > 0;
        const double a = medians ? times[ours + "_median"] : times[ours], b = medians ? times[raw + "_median"] : times[raw];
        if (a > 0 && b > 0) std::printf("%s: %.2fx raw SQLite%s\n", what, a / b, medians ? " (medians)" : "");
    }
    std::map<std::string, double> times;
};

}  // namespace

BENCHMARK(BM_Tdef05_FirstDocument_Window)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Tdef05_FirstDocument_RawSqlite)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_Tdef05_EnterLines_Window)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Tdef05_EnterLines_RawDataSet)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Tdef05_SaveDocument_Window)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Tdef05_SaveDocument_RawInserts)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Tdef05_Start_Window)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // The company is filled (the first time) and copied before anything is timed.
    Installation();
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("first document and body in the window", "BM_Tdef05_FirstDocument_Window/real_time",
                        "BM_Tdef05_FirstDocument_RawSqlite/real_time");
    reporter.PrintRatio("typing 1,000 lines in the window", "BM_Tdef05_EnterLines_Window/real_time",
                        "BM_Tdef05_EnterLines_RawDataSet/real_time");
    reporter.PrintRatio("saving 1,000 lines through DoSave", "BM_Tdef05_SaveDocument_Window/real_time",
                        "BM_Tdef05_SaveDocument_RawInserts/real_time");
    benchmark::Shutdown();
    return 0;
}
