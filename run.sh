#!/usr/bin/env bash
# Installs what is missing, builds the editor (Release) and starts it.
# Arguments are passed to the editor (for instance a project file).
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVX50_TESTS=OFF
cmake --build build/release
exec build/release/bin/vx50 "$@"
