#include "bench/support/BaselineReporter.h"

#include <cstdio>

void TBaselineReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs)
        if (run.run_type == Run::RT_Iteration && !run.error_occurred)
            times_[run.benchmark_name()] = {run.GetAdjustedRealTime(), run.GetAdjustedCPUTime()};
    ConsoleReporter::ReportRuns(runs);
}

void TBaselineReporter::PrintRatios(const std::string& ours, const std::string& raw) const {
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
