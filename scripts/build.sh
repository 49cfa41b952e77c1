#!/usr/bin/env bash
# Configures and builds into build/ (program folder: build/program).
set -euo pipefail
cd "$(dirname "$0")/.."
LAUNCHER=()
# ccache makes rebuilds of several work trees cheap; the build works without it.
# Paths below the checkout are hashed relative to it and the working folder is not hashed, so
# clones in different folders share one cache.
if command -v ccache >/dev/null; then
  LAUNCHER=("-DCMAKE_CXX_COMPILER_LAUNCHER=env;CCACHE_BASEDIR=$PWD;CCACHE_NOHASHDIR=true;ccache")
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${LAUNCHER[@]}" >/dev/null
cmake --build build -j"$(nproc)"
