#!/usr/bin/env bash
# Builds the benchmarks in release mode (build-rel) and runs them: bash scripts/bench.sh [name ...]
# Without names every bench/bench_*.cpp runs. Figures are medians of several runs, in milliseconds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release -DQX_BUILD_TESTS=OFF -DQX_BUILD_EXAMPLES=OFF \
  -DQX_BUILD_BENCH=ON >/dev/null
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for source in bench/bench_*.cpp; do names+=("$(basename "$source" .cpp)"); done
fi
cmake --build build-rel --target "${names[@]}"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
for name in "${names[@]}"; do
  echo "== $name"
  "build-rel/bench/$name"
done
