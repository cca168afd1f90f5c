#pragma once
// A console reporter that remembers every benchmark's times, so that a program can print, after the
// run, each product path's ratio to the raw baseline that did the same work in the same run (real
// time and processor time: on a busy machine the real time also waits for other programs).
#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class TBaselineReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    // "ours/arg" against "raw/arg" for every argument both ran with (or without arguments).
    void PrintRatios(const std::string& ours, const std::string& raw) const;

private:
    struct Times {
        double real = 0, cpu = 0;
    };
    std::map<std::string, Times> times_;
};
