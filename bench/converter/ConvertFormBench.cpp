// Converting every text of the largest window simplified -> traditional: the code converter's window
// conversion (TCodeConverter::ConvertForm, through the translator library loaded by name) against
// OpenCC called directly on the same texts with the same character dictionary. The program prints
// both timings and their ratio.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <time.h>
#include <opencc/Config.hpp>
#include <opencc/Converter.hpp>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

#include "bench/converter/WindowTexts.h"
#include "i18n/CodeConverter.h"
#include "outside/rklanguage/ChineseScripts.h"
#include "programs/tdef05/Tdef05Form.h"

namespace {

// An installation whose interface is traditional Chinese over a simplified database.
void UseTraditionalInterface() {
    static const std::filesystem::path folder = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "tdef-bench-lang-XXXXXX").string();
        if (!mkdtemp(pattern.data())) std::abort();
        std::filesystem::create_directories(std::filesystem::path(pattern) / "client");
        std::ofstream(std::filesystem::path(pattern) / "registry.ini")
            << "[HKEY_LOCAL_MACHINE\\Software\\RKT\\Vandril]\nClientPath=" << pattern << "/client/\nANSICodePage=936\n";
        std::ofstream(std::filesystem::path(pattern) / "client/VandrilC.ini")
            << "[Server Information]\nComputerName=127.0.0.1\n[CodePage]\nUICodePage=950\nDBCodePage=936\n";
        std::atexit([] { std::filesystem::remove_all(folder); });
        return std::filesystem::path(pattern);
    }();
    setenv("VANDRIL_REGISTRY", (folder / "registry.ini").c_str(), 1);
}

// The largest window of the program: the program form with the chain it inherits. It counts as hosted
// (this program's name holds "torvane"), so it does not start on its own.
TOwnedPtr<TCustomForm> LargestWindow() { return TOwnedPtr<TCustomForm>(CreateComponent<TfrmTdef05>(nullptr)); }

void BM_ConvertWindow_CodeConverter(benchmark::State& state) {
    UseTraditionalInterface();
    std::size_t texts = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TOwnedPtr<TCustomForm> window = LargestWindow();
        auto* converter = static_cast<TCodeConverter*>(window->FindComponent("RkConverter"));
        texts = WindowTexts(*window).size();
        state.ResumeTiming();
        converter->ConvertForm(window.get());
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["texts"] = static_cast<double>(texts);
}

// The same texts of a window just built, as the window conversion finds them: building a window
// leaves the processor's caches full of other things, for both.
void BM_ConvertWindow_RawOpenCC(benchmark::State& state) {
    UseTraditionalInterface();
    opencc::Config config;
    const opencc::ConverterPtr converter = config.NewFromString(OpenCCCharacterConfig("s2t", "STCharacters.ocd2"), "");
    std::size_t count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TOwnedPtr<TCustomForm> window = LargestWindow();
        const std::vector<std::string> texts = WindowTexts(*window);
        count = texts.size();
        state.ResumeTiming();
        for (const std::string& text : texts) benchmark::DoNotOptimize(converter->Convert(text));
        state.PauseTiming();
        window.reset();
        state.ResumeTiming();
    }
    state.counters["texts"] = static_cast<double>(count);
}

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Both in turn on windows built afresh, each timed by this thread's processor time: on a machine that
// other programs keep busy the two separate runs above meet different loads, these two the same.
void BM_ConvertWindow_InTurn(benchmark::State& state) {
    UseTraditionalInterface();
    opencc::Config config;
    const opencc::ConverterPtr raw = config.NewFromString(OpenCCCharacterConfig("s2t", "STCharacters.ocd2"), "");
    double ours = 0, direct = 0;
    for (auto _ : state) {
        TOwnedPtr<TCustomForm> window = LargestWindow();
        auto* converter = static_cast<TCodeConverter*>(window->FindComponent("RkConverter"));
        double start = ThreadSeconds();
        converter->ConvertForm(window.get());
        ours += ThreadSeconds() - start;
        window = LargestWindow();
        const std::vector<std::string> texts = WindowTexts(*window);
        start = ThreadSeconds();
        for (const std::string& text : texts) benchmark::DoNotOptimize(raw->Convert(text));
        direct += ThreadSeconds() - start;
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["ours_us"] = ours / iterations * 1e6;
    state.counters["opencc_us"] = direct / iterations * 1e6;
    state.counters["ratio"] = direct > 0 ? ours / direct : 0;
}

// Keeps each benchmark's times per iteration to print the ratios at the end (the processor time too:
// on a busy machine the real time waits for other programs).
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            realTimes[run.benchmark_name()] = run.GetAdjustedRealTime();
            cpuTimes[run.benchmark_name()] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatio(const char* ours, const char* raw) {
        if (realTimes[ours] > 0 && realTimes[raw] > 0)
            std::printf("window conversion / raw OpenCC: %.2fx real time, %.2fx processor time\n",
                        realTimes[ours] / realTimes[raw], cpuTimes[ours] / cpuTimes[raw]);
    }
    std::map<std::string, double> realTimes;
    std::map<std::string, double> cpuTimes;
};

}  // namespace

BENCHMARK(BM_ConvertWindow_CodeConverter)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConvertWindow_RawOpenCC)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ConvertWindow_InTurn)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("BM_ConvertWindow_CodeConverter", "BM_ConvertWindow_RawOpenCC");
    benchmark::Shutdown();
    return 0;
}
