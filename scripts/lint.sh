#!/usr/bin/env bash
# clang-tidy (the checks in .clang-tidy, every finding an error) over the library sources that the
# latest change touched: the commits since origin/main, or the last commit when there are none.
# Usage: scripts/lint.sh <build dir with compile_commands.json> [files...]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?build directory}; shift || true

files=("$@")
if [ ${#files[@]} -eq 0 ] && git rev-parse --git-dir >/dev/null 2>&1; then
  base=$(git merge-base HEAD origin/main 2>/dev/null || true)
  if [ -z "$base" ] || [ "$base" = "$(git rev-parse HEAD)" ]; then
    base=$(git rev-parse HEAD~1 2>/dev/null || true)
  fi
  if [ -n "$base" ]; then
    mapfile -t files < <(git diff --name-only --diff-filter=d "$base" HEAD -- 'src/*.cpp')
  fi
fi
if [ ${#files[@]} -eq 0 ]; then
  echo "== clang-tidy: no changed library sources"
  exit 0
fi
echo "== clang-tidy: ${files[*]}"
printf '%s\0' "${files[@]}" \
  | xargs -0 -n 1 -P "$(nproc 2>/dev/null || echo 2)" clang-tidy -p "$build" --quiet --warnings-as-errors='*' 
