#pragma once

// The main() of the benchmarks that need widgets: a QApplication on the
// offscreen platform around Google Benchmark's run. Included once, at the
// end of such a benchmark's file.

#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
