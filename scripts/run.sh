#!/usr/bin/env bash
# Installs what is missing, builds (the build lays out the whole program folder) and starts
# the program from it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
cd build/program
exec ./sevrin "$@"
