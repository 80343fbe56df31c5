#!/usr/bin/env bash
# Installs, builds and runs every test: all tests under AddressSanitizer + UndefinedBehaviorSanitizer,
# the threaded tests under ThreadSanitizer, and each fuzz target for a fixed time.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
if [ "$(id -u)" = 0 ]; then bash scripts/install-deps.sh; fi

jobs=$(nproc)
fuzz_seconds=${FUZZ_SECONDS:-30}
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
export LP_NUM_THREADS=1

# Window tests open a real SDL window, so every test run gets a virtual X display.
with_display() { xvfb-run -a -s "-screen 0 1280x1024x24" "$@"; }

configure() {  # configure DIR SANITIZER [extra cmake args]
  local dir=$1 sanitizer=$2
  shift 2
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DSANITIZE="$sanitizer" "$@" >/dev/null
}

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build: every test"
configure build/asan address -DBUILD_FUZZERS=ON
cmake --build build/asan -j "$jobs"
with_display ctest --test-dir build/asan -j "$jobs" --output-on-failure --timeout 600

echo "== ThreadSanitizer build: threaded tests"
configure build/tsan thread -DBUILD_BENCHMARKS=OFF
cmake --build build/tsan -j "$jobs"
with_display ctest --test-dir build/tsan -L threaded -j "$jobs" --output-on-failure --timeout 600

echo "== Fuzz targets, ${fuzz_seconds} s each"
status=0
for target in $(find build/asan -type f -executable -name '*_fuzzer' | sort); do
  name=$(basename "$target")
  corpus=$(mktemp -d)
  # Seeds, where a target has them, sit in a corpus/ folder named after the target without "_fuzzer".
  seeds=$(find . -path ./build -prune -o -type d -path "*/corpus/${name%_fuzzer}" -print | head -n 1)
  echo "-- $name"
  if "$target" -max_total_time="$fuzz_seconds" -rss_limit_mb=2048 -print_final_stats=0 \
      "$corpus" ${seeds:+"$seeds"} >"$corpus.log" 2>&1; then
    echo "   clean after $(grep -Eo '^#[0-9]+' "$corpus.log" | tail -n 1 | tr -d '#') inputs"
  else
    tail -n 40 "$corpus.log"
    status=1
  fi
  rm -rf "$corpus" "$corpus.log"
done
exit $status
