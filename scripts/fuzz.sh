#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, ASan, UBSan) and runs one of them.
# Usage: scripts/fuzz.sh [target] [runs]
#   targets: fuzz_setpropvalue (default), fuzz_readcomponent (the settings reader; seeded from fuzz/seeds)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
if ! command -v clang++ >/dev/null; then
  sudo_cmd=(); [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq clang libclang-rt-dev
fi
target=${1:-fuzz_setpropvalue}
runs=${2:-1000000}
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQX_BUILD_FUZZ=ON \
  -DQX_BUILD_TESTS=OFF -DQX_BUILD_EXAMPLES=OFF -DQX_BUILD_BENCH=OFF
cmake --build build/fuzz --target "$target" -j "$(nproc)"
corpus=build/fuzz/corpus-$target
mkdir -p "$corpus"
seeds=fuzz/seeds/${target#fuzz_}
[ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
max_len=256
[ "$target" = fuzz_readcomponent ] && max_len=4096
QT_QPA_PLATFORM=offscreen "build/fuzz/fuzz/$target" -runs="$runs" -max_len="$max_len" "$corpus"
