#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) and runs SetPropValue fuzzing.
# Usage: scripts/fuzz.sh [runs]   (default 1000000)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if ! command -v clang++ >/dev/null; then
  sudo_cmd=(); [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq clang libclang-rt-dev
fi
runs=${1:-1000000}
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQX_BUILD_FUZZ=ON \
  -DQX_BUILD_TESTS=OFF -DQX_BUILD_EXAMPLES=OFF -DQX_BUILD_BENCH=OFF
cmake --build build/fuzz --target fuzz_setpropvalue -j "$(nproc)"
mkdir -p build/fuzz/corpus
QT_QPA_PLATFORM=offscreen build/fuzz/fuzz/fuzz_setpropvalue -runs="$runs" -max_len=256 build/fuzz/corpus
