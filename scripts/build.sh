#!/usr/bin/env bash
# Configures and builds into build/ (program folder: build/program).
set -euo pipefail
cd "$(dirname "$0")/.."
LAUNCHER=()
# ccache makes rebuilds of several work trees cheap; the build works without it.
command -v ccache >/dev/null && LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${LAUNCHER[@]}" >/dev/null
cmake --build build -j"$(nproc)"
