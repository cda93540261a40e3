#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs them; not part of the tests.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX50_BENCH=ON
cmake --build build/bench
for b in build/bench/bin/bench_*; do
    QT_QPA_PLATFORM=offscreen "$b"
done
