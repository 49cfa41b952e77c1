#!/usr/bin/env bash
# Builds the workbook-loader fuzz target with libFuzzer and AddressSanitizer into build-fuzz/
# and runs it for a bounded time over the seed workbooks in fuzz/corpus/. Exits non-zero when
# the fuzzer finds a crash, a leak or a hang (the input is kept in build-fuzz/artifacts/).
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_TO_RUN="${FUZZ_SECONDS:-60}"
CXX="${FUZZ_CXX:-clang++-14}"
command -v "$CXX" >/dev/null || CXX=clang++
mkdir -p build-fuzz/corpus build-fuzz/artifacts fuzz/corpus
# The target's scratch files go under build-fuzz/, and go away even when a run is cut short.
export TMPDIR="$PWD/build-fuzz/tmp"
mkdir -p "$TMPDIR"
trap 'rm -rf "$TMPDIR"' EXIT

# Seed workbooks: a few tiny valid files covering inline and shared strings, numbers, merges,
# column widths, a print area, a picture and a book without sheets.
if [ -z "$(ls -A fuzz/corpus 2>/dev/null)" ]; then
  python3 scripts/fuzzseeds.py fuzz/corpus
fi

# shellcheck disable=SC2046
"$CXX" -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -Isrc $(pkg-config --cflags Qt6Core libzip zlib pugixml) \
  src/platform/xlsx*.cpp fuzz/fuzz_xlsxload.cpp \
  -o build-fuzz/fuzz_xlsxload $(pkg-config --libs Qt6Core libzip zlib pugixml)

ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}" \
  build-fuzz/fuzz_xlsxload build-fuzz/corpus fuzz/corpus \
  -max_total_time="$SECONDS_TO_RUN" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix=build-fuzz/artifacts/ -print_final_stats=1 2>&1 | tail -n 25
exit "${PIPESTATUS[0]}"
