#!/usr/bin/env bash
# Builds and runs the demo. With a display it opens the window; without one (or with --screenshot) it
# renders the pages of the window offscreen to PNG files and prints their paths.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B build/demo -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQX_BUILD_TESTS=OFF -DQX_BUILD_BENCH=OFF >/dev/null
cmake --build build/demo -j "$jobs" --target qxdemo >/dev/null
mkdir -p build/screenshots
cd build/screenshots
exec ../demo/examples/qxdemo "$@"
