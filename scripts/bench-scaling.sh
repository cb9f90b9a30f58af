#!/usr/bin/env bash
# How the work grows with the card database: runs the load, build and window benchmarks on a
# world of 100,000 printings and on one of TOVEL_SCALE_SIZE (default 1,000,000), and prints each
# median time at both sizes with their ratio (10 x the cards should cost about 10 x the time for
# load and build, and the windows' operations should stay within their limits).
set -euo pipefail
cd "$(dirname "$0")/.."

small=100000
large=${TOVEL_SCALE_SIZE:-1000000}
out=build-bench/scaling
mkdir -p "$out"

scripts/deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOVEL_SANITIZE=OFF -DTOVEL_BUILD_BENCH=ON -DTOVEL_BUILD_UI=ON \
      -DTOVEL_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench --target tovel_bench tovel_windows_bench tovel-worldgen

# name<TAB>milliseconds, one line per benchmark, for one world size.
measure() {
  local size=$1 world=build-bench/world-$1
  if [ ! -f "$world/Data/base.txt" ]; then
    echo "== generating a world of $size printings in $world" >&2
    build-bench/bin/tovel-worldgen --large "$size" "$world"
  fi
  world=$(cd "$world" && pwd)
  TOVEL_BENCH_WORLD=$world TOVEL_BENCH_SIZE=$size build-bench/bin/tovel_bench \
    --benchmark_filter='BM_LoadBase|BM_Build/2|BM_Query' --benchmark_repetitions=5 \
    --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
    awk -F, '$1 ~ /_median"?$/ { name = $1; gsub(/"|_median|\/real_time/, "", name); print name "\t" $3 }'
  QT_QPA_PLATFORM=offscreen TOVEL_HOME="$world/" build-bench/bin/tovel_windows_bench -median 5 2>/dev/null |
    awk '/^RESULT/ { name = $3; gsub(/BenchCollectionWindows::|\(\)|:$/, "", name); gsub(/"/, "", name); next }
         name != "" && /msecs/ { gsub(/,/, "", $1); print name "\t" $1; name = "" }'
}

measure "$small" >"$out/$small.tsv"
measure "$large" >"$out/$large.tsv"
printf '%-28s %12s %12s %8s\n' "benchmark (median ms)" "$small" "$large" "ratio"
join -t $'\t' <(sort "$out/$small.tsv") <(sort "$out/$large.tsv") |
  awk -F'\t' '{ printf "%-28s %12.2f %12.2f %8.1f\n", $1, $2, $3, ($2 > 0 ? $3 / $2 : 0) }'
