#!/usr/bin/env bash
# Installs what is missing, builds (release) the program and its bundle, and starts it: in a window
# where a display exists, otherwise headless with a short built-in script that captures a few frames
# and prints where they are. Arguments go to the program (--help lists them).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
missing=()
while read -r package; do
  case "$package" in '#'* | '') continue ;; esac
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' || missing+=("$package")
done <scripts/packages.txt
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" != 0 ]; then
    echo "missing packages (install them as root with scripts/install-deps.sh): ${missing[*]}" >&2
    exit 1
  fi
  bash scripts/install-deps.sh
fi
# Tests and benchmarks are left out of this build; scripts/test.sh builds them.
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build/release -j "$(nproc)" --target lexivo-quiz
exec build/release/bin/lexivo-quiz "$@"
