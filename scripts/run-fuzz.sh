#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a given time
# (seconds, default 30) on a copy of its seed corpus in fuzz/corpus/.
# Exits non-zero, after a line that names it, when a target crashes or a
# property fails; exits 0 with a note when clang's libFuzzer is missing.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
targets=(fuzz_chp fuzz_image fuzz_codes fuzz_ini_read fuzz_ini_write fuzz_link fuzz_roundtrip)

if ! command -v clang++ >/dev/null; then
  echo "fuzz: clang++ not found, fuzz targets skipped"
  exit 0
fi
probe=$(mktemp -d)
echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char *, unsigned long) { return 0; }' > "$probe/p.cpp"
if ! clang++ -fsanitize=fuzzer "$probe/p.cpp" -o "$probe/p" 2>/dev/null; then
  rm -rf "$probe"
  echo "fuzz: clang has no libFuzzer, fuzz targets skipped"
  exit 0
fi
rm -rf "$probe"

cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DFUZZERS=ON \
  -DWARNINGS_AS_ERRORS=ON >/dev/null || { echo "FUZZ FAILED: configure"; exit 1; }
cmake --build build/fuzz -j "$(nproc)" >/dev/null || { echo "FUZZ FAILED: build"; exit 1; }

work=$(mktemp -d)
failed=()
for t in "${targets[@]}"; do
  mkdir -p "$work/$t/corpus" "$work/$t/crashes"
  if (cd "$work/$t/crashes" && ASAN_OPTIONS=detect_leaks=0 "$OLDPWD/build/fuzz/fuzz/$t" -max_total_time="$seconds" \
        -print_final_stats=1 "$work/$t/corpus" "$OLDPWD/fuzz/corpus/$t" >"$work/$t/log" 2>&1); then
    echo "fuzz: $t ran ${seconds}s: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$work/$t/log" | grep -o '[0-9]*$') runs, no crash, no property failure"
  else
    failed+=("$t")
    echo "FUZZ FAILED: $t (input kept in $work/$t/crashes)"
    grep -m3 -E 'PROPERTY FAILED|ERROR: |SUMMARY' "$work/$t/log"
  fi
done
if ((${#failed[@]})); then
  echo "FUZZ FAILED: ${failed[*]}"
  exit 1
fi
rm -rf "$work"
echo "fuzz: all ${#targets[@]} targets passed"
