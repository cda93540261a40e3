#!/usr/bin/env bash
# Installs what is missing, builds the test configuration (with
# AddressSanitizer and UndefinedBehaviorSanitizer) and runs every test.
# GUI tests run on Qt's offscreen platform: no display is needed.
#
#   ./test.sh [ctest arguments]          the whole test configuration (build/test)
#   ./test.sh --tsan [ctest arguments]   the thread tests under ThreadSanitizer
#                                        (build/tsan: core libraries and the
#                                        tests labelled `thread` only)
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
JOBS=$(nproc)
if [ "${1:-}" = "--tsan" ]; then
    shift
    cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVX50_TSAN=ON -DVX50_TESTS=ON
    cmake --build build/tsan -j "$JOBS" --target thread_tests
    cd build/tsan
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS" -L thread "$@"
    exit
fi
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVX50_SANITIZE=ON -DVX50_TESTS=ON
cmake --build build/test -j "$JOBS"
cd build/test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$JOBS" "$@"
