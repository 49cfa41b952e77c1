#!/usr/bin/env bash
# Installs what is missing, builds, fuzzes the workbook loader for a bounded time and runs
# every test headless (the test summary is the last thing printed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
if [ -x scripts/fuzz.sh ]; then scripts/fuzz.sh; fi
ctest --test-dir build --output-on-failure -j"$(nproc)"
