#!/usr/bin/env bash
# Builds the library and runs every test: the format check, the normal build with its tests (warnings
# as errors in both builds), the documentation check (unless QX_TEST_DOCS=0) and a lint of every library
# source, then (unless QX_TEST_SANITIZE=0) the same suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=offscreen

echo "== clang-format: every source and test file"
find src tests examples bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z \
  | xargs -0 clang-format --dry-run -Werror

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQX_BUILD_BENCH=ON \
    -DQX_WARNINGS_AS_ERRORS=ON "$@"
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

run_suite build/ci
# Every class and member of the installed headers documented (Doxygen, warnings as errors);
# QX_TEST_DOCS=0 skips it.
if [ "${QX_TEST_DOCS:-1}" != "0" ] && command -v doxygen >/dev/null; then
  echo "== doxygen: every installed class and member documented"
  cmake --build build/ci --target docs_check
fi
if [ "${QX_TEST_LINT:-1}" != "0" ]; then
  bash scripts/lint.sh build/ci
fi
if [ "${QX_TEST_SANITIZE:-1}" != "0" ]; then
  run_suite build/ci-sanitize -DQX_SANITIZE=ON -DQX_BUILD_EXAMPLES=OFF -DQX_BUILD_BENCH=OFF
fi
