#!/usr/bin/env bash
# Installs every Debian package the project builds, tests or runs with (Debian 12, as root): the
# list in scripts/packages.txt.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
list="$(dirname "$0")/packages.txt"
mapfile -t packages < <(grep -v '^#' "$list" | grep .)
apt-get update -q
apt-get install -y -q --no-install-recommends "${packages[@]}"
