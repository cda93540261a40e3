#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs them; not part of the tests. Ends
# with the figures that have a goal, each beside its goal.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX50_BENCH=ON
cmake --build build/bench
results=build/bench/results
mkdir -p "$results"
for b in build/bench/bin/bench_*; do
    QT_QPA_PLATFORM=offscreen "$b" --benchmark_out="$results/$(basename "$b").json" --benchmark_out_format=json
done
echo
echo "Figures and their goals (load average: $(cut -d' ' -f1-3 /proc/loadavg)):"
python3 bench/print-goals.py "$results"/*.json
