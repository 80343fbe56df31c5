#!/usr/bin/env bash
# Installs, builds (release) and runs what the project has end to end so far: the runtime's
# benchmarks, each measured against its standard-library peer.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
if [ "$(id -u)" = 0 ]; then bash scripts/install-deps.sh; fi
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/release -j "$(nproc)"
for bench in $(find build/release -type f -executable -name '*_bench' | sort); do
  echo "== $(basename "$bench")"
  "$bench" --benchmark_min_time=0.2
done
