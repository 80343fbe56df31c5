#!/usr/bin/env bash
# Installs every Debian package the project builds, tests or runs with (Debian 12, as root).
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends \
  build-essential cmake ninja-build clang libclang-rt-14-dev \
  libgtest-dev libgmock-dev libbenchmark-dev \
  zlib1g-dev libpng-dev libjpeg62-turbo-dev \
  libegl-dev libgles-dev libegl-mesa0 libgl1-mesa-dri \
  libsdl2-dev libx11-dev xvfb xauth xdotool pkg-config \
  python3 ca-certificates \
  wordnet-base wamerican-small wamerican wamerican-large wamerican-huge fonts-dejavu-core libfreetype-dev \
  libopenal-dev libsndfile1-dev \
  libcurl4-openssl-dev openssl curl \
  libcairo2-dev \
  gpsd libgps-dev gpsd-clients
