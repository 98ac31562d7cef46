// How every benchmark here reports: the median of repeated runs with their
// spread, min and max, rather than one mean that a busy machine can skew.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

namespace koppelo::bench {

inline constexpr char kDefaultRepetitions[] = "--benchmark_repetitions=15";
inline constexpr char kAggregatesOnly[] = "--benchmark_report_aggregates_only=true";

// Adds min and max to the statistics of repeated runs.
inline void withSpread(benchmark::internal::Benchmark* benchmark)
{
    benchmark
        ->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
        ->ComputeStatistics("max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); });
}

// Runs the registered benchmarks, repeated unless the command line says
// otherwise: its own flags come after the defaults and so win.
inline int runWithSpread(int argc, char* argv[])
{
    std::vector<char*> args{argv[0], const_cast<char*>(kDefaultRepetitions), const_cast<char*>(kAggregatesOnly)};
    args.insert(args.end(), argv + 1, argv + argc);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace koppelo::bench
