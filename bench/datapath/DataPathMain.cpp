// Runs the data-path benchmarks and prints, for each product path, its ratio to the raw baseline that
// did the same work in the same run.
#include <benchmark/benchmark.h>

#include "bench/datapath/BenchDatabase.h"
#include "bench/support/BaselineReporter.h"

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    MakeNeededDatabases(benchmark::GetBenchmarkFilter());
    TBaselineReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios("BM_FirstPacket_ClientDataSet", "BM_FirstPacket_RawLimit");
    reporter.PrintRatios("BM_SaveDocument_ClientDataSet", "BM_SaveDocument_RawSqlite");
    reporter.PrintRatios("BM_QBE_LikeFirstPacket_ClientDataSet", "BM_QBE_LikeFirstPacket_RawSQLite");
    benchmark::Shutdown();
    return 0;
}
