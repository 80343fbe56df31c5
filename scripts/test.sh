#!/usr/bin/env bash
# Installs, builds and runs every test: all tests under AddressSanitizer + UndefinedBehaviorSanitizer,
# the threaded tests under ThreadSanitizer, all tests again in an optimised Release build (the code
# users run), and the fuzz targets, each for its share of one time budget, as many at a time as
# there are cores.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
if [ "$(id -u)" = 0 ]; then bash scripts/install-deps.sh; fi

jobs=$(nproc)
# Shared by all fuzz targets, so that CI time does not grow with their number.
fuzz_budget=${FUZZ_BUDGET_SECONDS:-240}
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
export LP_NUM_THREADS=1

# Window tests open a real SDL window, so every test run gets a virtual X display.
with_display() { xvfb-run -a -s "-screen 0 1280x1024x24" "$@"; }

configure() {  # configure DIR BUILD_TYPE SANITIZER [extra cmake args]
  local dir=$1 type=$2 sanitizer=$3
  shift 3
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DSANITIZE="$sanitizer" "$@" >/dev/null
}

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build: every test"
configure build/asan Debug address -DBUILD_FUZZERS=ON
cmake --build build/asan -j "$jobs"
with_display ctest --test-dir build/asan -j "$jobs" --output-on-failure --timeout 600

echo "== ThreadSanitizer build: threaded tests"
configure build/tsan Debug thread -DBUILD_BENCHMARKS=OFF
cmake --build build/tsan -j "$jobs"
with_display ctest --test-dir build/tsan -L threaded -j "$jobs" --output-on-failure --timeout 600

echo "== Release build: every test"
release_start=$(date +%s)
configure build/release Release "" -DBUILD_BENCHMARKS=OFF -DBUILD_FUZZERS=OFF
cmake --build build/release -j "$jobs"
with_display ctest --test-dir build/release -j "$jobs" --output-on-failure --timeout 600
echo "   the Release build and its tests took $(($(date +%s) - release_start)) s"

fuzzers=$(find build/asan -type f -executable -name '*_fuzzer' | sort)
fuzz_count=$(echo "$fuzzers" | grep -c . || true)
fuzz_seconds=$((fuzz_count > 0 ? fuzz_budget / fuzz_count : 0))
fuzz_seconds=$((fuzz_seconds < 1 ? 1 : fuzz_seconds))
echo "== Fuzz targets: ${fuzz_budget} s shared by ${fuzz_count}, ${fuzz_seconds} s each, ${jobs} at a time"
# fuzz_one TARGET SECONDS: one report, printed whole; fails when the target found something.
fuzz_one() {
  local target=$1 seconds=$2 name corpus seeds
  name=$(basename "$target")
  corpus=$(mktemp -d)
  # Seeds, where a target has them, sit in a corpus/ folder named after the target without "_fuzzer".
  seeds=$(find . -path ./build -prune -o -type d -path "*/corpus/${name%_fuzzer}" -print | head -n 1)
  local status=0 report
  if "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=0 \
      "$corpus" ${seeds:+"$seeds"} >"$corpus.log" 2>&1; then
    report="-- $name: clean after $(grep -Eo '^#[0-9]+' "$corpus.log" | tail -n 1 | tr -d '#') inputs"
  else
    report="-- $name"$'\n'"$(tail -n 40 "$corpus.log")"
    status=1
  fi
  rm -rf "$corpus" "$corpus.log"
  echo "$report"
  return $status
}
export -f fuzz_one
if [ "$fuzz_count" -gt 0 ]; then
  echo "$fuzzers" | xargs -P "$jobs" -I{} bash -c 'fuzz_one "$1" "$2"' _ {} "$fuzz_seconds" || exit 1
fi
