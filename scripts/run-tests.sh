#!/usr/bin/env bash
# Sets up, builds and runs every test: once plain, once under AddressSanitizer
# and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
run() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DWARNINGS_AS_ERRORS=ON "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure -j "$jobs" --timeout 300
}

run build/plain

# Each fuzz target for 30 seconds, where clang has libFuzzer.
scripts/run-fuzz.sh 30

ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run build/sanitize -DSANITIZE=ON
