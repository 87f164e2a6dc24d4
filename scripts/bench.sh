#!/usr/bin/env bash
# Builds the benchmarks in release mode (build-rel) and runs them: bash scripts/bench.sh [name ...]
# Without names every bench/bench_*.cpp runs, and a summary table follows: each figure beside QTreeWidget's
# from the same run and the target it is held to. Figures are medians of several runs, in milliseconds;
# memory is the process's resident growth per row.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build-rel -G Ninja -DCMAKE_BUILD_TYPE=Release -DQX_BUILD_TESTS=OFF -DQX_BUILD_EXAMPLES=OFF \
  -DQX_BUILD_BENCH=ON >/dev/null
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for source in bench/bench_*.cpp; do names+=("$(basename "$source" .cpp)"); done
  QX_BENCH_SUMMARY="$(mktemp)"
  export QX_BENCH_SUMMARY
  trap 'rm -f "$QX_BENCH_SUMMARY"' EXIT
fi
cmake --build build-rel --target "${names[@]}"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
for name in "${names[@]}"; do
  echo "== $name"
  "build-rel/bench/$name"
done
[ -n "${QX_BENCH_SUMMARY:-}" ] || exit 0

# One line per figure: what, key, target kind (ms: at most; ratio: ours / QTreeWidget at most; keep: no
# target, shown beside QTreeWidget) and the target.
echo
echo "== summary"
awk '
  NR == FNR { v[$1] = $2; next }
  {
    split($0, f, "|")
    what = f[1]; key = f[2]; kind = f[3]; target = f[4]
    ours = v[key ".ours"] != "" ? v[key ".ours"] : v[key]
    qtw = v[key ".qtw"]
    if (ours == "") { printf "%-52s %10s\n", what, "(not run)"; next }
    shown = kind == "bytes" ? sprintf("%.0f B", ours) : sprintf("%.2f ms", ours)
    other = qtw == "" ? "-" : (kind == "bytes" ? sprintf("%.0f B", qtw) : sprintf("%.2f ms", qtw))
    if (kind == "ratio") { goal = sprintf("<= %.1fx", target); met = ours <= target * qtw }
    else if (kind == "keep") { goal = "keep"; met = 1 }
    else { goal = sprintf("<= %s", target); met = ours <= target }
    ratio = qtw != "" && qtw > 0 ? sprintf("%.2fx", ours / qtw) : ""
    printf "%-52s %10s %10s %7s %9s  %s\n", what, shown, other, ratio, goal, met ? "met" : "MISSED"
  }
  BEGIN { printf "%-52s %10s %10s %7s %9s\n", "", "ours", "QTreeWidget", "ratio", "target" }
' "$QX_BENCH_SUMMARY" - <<'TABLE'
object inspector, 11,002 rows: rescan|inspector.rescan|ms|15
object inspector, first scan, hidden|inspector.firstscan|ms|30
object inspector, one edit round trip, 11,002 rows|inspector.roundtrip|ms|1
inspector memory per row|inspector.bytes|bytes|768
object inspector, one frame, Qt look, 1,104 rows|inspector.paint.small|keep|
object inspector, one frame, Qt look, 110,004 rows|inspector.paint.large|keep|
item list, 10k rows in a batch, hidden|itemlist.batched.hidden|ratio|1.0
item list, 10k rows in a batch, shown|itemlist.batched.visible|ratio|1.0
item list, 11k nested rows in a batch, hidden|itemlist.nested.hidden|ratio|1.0
item list, 10k rows one by one (QTreeWidget: batched)|itemlist.rowbyrow|ratio|1.2
item list memory per row, 10k hidden|itemlist.bytes10k|bytes|768
item list memory per row, 100k hidden|itemlist.bytes100k|bytes|640
item list, 1,000 value changes|itemlist.changes|keep|
item list, one painted frame|itemlist.paint|keep|
TABLE
