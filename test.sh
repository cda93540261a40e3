#!/usr/bin/env bash
# Installs what is missing, builds the test configuration (with
# AddressSanitizer and UndefinedBehaviorSanitizer) and runs every test.
# GUI tests run on Qt's offscreen platform: no display is needed.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
JOBS=$(nproc)
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVX50_SANITIZE=ON -DVX50_TESTS=ON
cmake --build build/test -j "$JOBS"
cd build/test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS" "$@"
