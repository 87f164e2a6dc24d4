#!/usr/bin/env bash
# clang-tidy (the checks in .clang-tidy, every finding an error) over every library source, one process
# per core; given files, over those only.
# Usage: scripts/lint.sh <build dir with compile_commands.json> [files...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?build directory}; shift || true

files=("$@")
if [ ${#files[@]} -eq 0 ]; then
  mapfile -t files < <(find src -name '*.cpp' | sort)
fi
echo "== clang-tidy: ${#files[@]} library sources"
# The generated headers (ui_*.h) and moc files must exist before clang-tidy reads the sources.
if [ ! -f "$build/compile_commands.json" ]; then
  echo "no $build/compile_commands.json: configure and build $build first" >&2
  exit 2
fi
printf '%s\0' "${files[@]}" \
  | xargs -0 -n 1 -P "$(nproc 2>/dev/null || echo 2)" clang-tidy -p "$build" --quiet --warnings-as-errors='*' 2>&1 \
  | { grep -v '^[0-9]* warnings\? generated\.$' || true; }
