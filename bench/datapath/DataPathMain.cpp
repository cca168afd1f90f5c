// Runs the data-path benchmarks and prints, for each product path, its ratio to the raw baseline that
// did the same work in the same run (real time and processor time: on a busy machine the real time
// also waits for other programs).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace {

struct Times {
    double real = 0, cpu = 0;
};

class TBaselineReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && !run.error_occurred)
                times_[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
        ConsoleReporter::ReportRuns(runs);
    }
    // "ours/arg" against "raw/arg" for every argument both ran with (or without arguments).
    void PrintRatios(const std::string& ours, const std::string& raw) const {
        for (const auto& [name, product] : times_) {
            if (name.rfind(ours, 0) != 0) continue;
            const std::string suffix = name.substr(ours.size());
            if (!suffix.empty() && suffix[0] != '/') continue;
            auto baseline = times_.find(raw + suffix);
            if (baseline == times_.end() || baseline->second.real <= 0 || baseline->second.cpu <= 0) continue;
            std::printf("ratio %s / %s: %.2fx real time, %.2fx processor time\n", name.c_str(), baseline->first.c_str(),
                        product.real / baseline->second.real, product.cpu / baseline->second.cpu);
        }
    }

private:
    std::map<std::string, Times> times_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    TBaselineReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios("BM_FirstPacket_ClientDataSet", "BM_FirstPacket_RawLimit");
    reporter.PrintRatios("BM_SaveDocument_ClientDataSet", "BM_SaveDocument_RawSqlite");
    benchmark::Shutdown();
    return 0;
}
