#!/usr/bin/env bash
# Installs, builds (release) and starts the program: in a window where a display exists, otherwise
# headless with a short built-in script that captures a few frames and prints where they are.
# Arguments go to the program (--help lists them).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
if [ "$(id -u)" = 0 ]; then bash scripts/install-deps.sh; fi
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/release -j "$(nproc)"
exec build/release/bin/lexivo-quiz "$@"
