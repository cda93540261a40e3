#pragma once

// For the benchmarks that compare the editor's way of doing something with
// another way side by side. The machine is shared: repetitions of each,
// interleaved at random, and their medians compare the ways better than one
// run of each.

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <vector>

// Eight repetitions reported as aggregates, in microseconds of real time:
// BENCHMARK(Way)->Iterations(n)->Apply(SideBySide).
inline void SideBySide(benchmark::internal::Benchmark* benchmark)
{
    benchmark->Repetitions(8)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond)->UseRealTime();
}

// main(): the program folder (and with it Protocol/) is the executable's
// folder; the repetitions run interleaved.
inline int RunSideBySide(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::vector<char*> arguments(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    arguments.insert(arguments.begin() + 1, interleave);
    int count = static_cast<int>(arguments.size());
    benchmark::Initialize(&count, arguments.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
