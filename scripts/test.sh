#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j"$(nproc)"
# Bounded fuzzing of the workbook loader, when the fuzz target is present.
if [ -x scripts/fuzz.sh ]; then scripts/fuzz.sh; fi
