#!/usr/bin/env bash
# How the work grows with the card database: runs the whole-process `db build` and `db check`,
# the load, memory and query benchmarks and the window benchmarks on worlds of each size in
# TOVEL_SCALE_SIZES (default "100000 1000000"), and prints each median at every size with the
# ratio of the largest to the smallest (10 x the cards should cost about 10 x the time for load
# and build, and the windows' operations should stay within their limits).
# TOVEL_SCALE_BIN=DIR measures the programs in DIR instead of building them (e.g. an older
# build kept for a before/after comparison); TOVEL_SCALE_RUNS sets the repetitions (default 5).
set -euo pipefail
cd "$(dirname "$0")/.."

sizes=(${TOVEL_SCALE_SIZES:-100000 1000000})
runs=${TOVEL_SCALE_RUNS:-5}
bin=${TOVEL_SCALE_BIN:-build-bench/bin}
out=build-bench/scaling
mkdir -p "$out"

if [ -z "${TOVEL_SCALE_BIN:-}" ]; then
  scripts/deps.sh
  cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOVEL_SANITIZE=OFF -DTOVEL_BUILD_BENCH=ON \
        -DTOVEL_BUILD_UI=ON -DTOVEL_BUILD_TESTS=OFF >/dev/null
  cmake --build build-bench --target tovel_bench tovel_windows_bench tovel-worldgen tovel-cli
fi
bin=$(cd "$bin" && pwd)

# The median of the numbers on standard input.
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

# name<TAB>value, one line per figure, for one world size. Times in milliseconds.
measure() {
  local size=$1 world=build-bench/world-$1 scratch
  if [ ! -f "$world/Data/base.txt" ]; then
    echo "== generating a world of $size printings in $world" >&2
    build-bench/bin/tovel-worldgen --large "$size" "$world" >/dev/null
  fi
  world=$(cd "$world" && pwd)
  scratch=$(mktemp -d)
  # Whole processes: wall time and peak memory (MB) of `db build`, wall time of `db check`.
  for _ in $(seq "$runs"); do
    /usr/bin/time -f '%e %M' -o "$scratch/time" "$bin/tovel-cli" --root "$world" db build --out "$scratch/base.txt" >/dev/null
    cat "$scratch/time" >>"$scratch/build"
    /usr/bin/time -f '%e' -o "$scratch/time" "$bin/tovel-cli" --root "$world" db check >/dev/null
    cat "$scratch/time" >>"$scratch/check"
  done
  printf 'db_build_process\t%s\n' "$(awk '{ print $1 * 1000 }' "$scratch/build" | median)"
  printf 'db_build_peak_MB\t%s\n' "$(awk '{ print $2 / 1024 }' "$scratch/build" | median)"
  printf 'db_check_process\t%s\n' "$(awk '{ print $1 * 1000 }' "$scratch/check" | median)"
  printf 'base_txt_MB\t%s\n' "$(stat -c %s "$world/Data/base.txt" | awk '{ print $1 / 1048576 }')"
  rm -rf "$scratch"
  TOVEL_BENCH_WORLD=$world TOVEL_BENCH_SIZE=$size "$bin/tovel_bench" \
    --benchmark_filter='BM_LoadBase|BM_Build/2|BM_Query|BM_LoadedMemory' --benchmark_repetitions="$runs" \
    --benchmark_report_aggregates_only=true --benchmark_format=json 2>/dev/null |
    jq -r '.benchmarks[] | select(.aggregate_name == "median" or .repetitions == 1) |
           if (.run_name | startswith("BM_LoadedMemory")) then "memory_heap_plus_file_x\t\(.heap_plus_file_x)"
           else "\(.run_name | sub("/real_time"; ""))\t\(.real_time)" end'
  # A re-sort is already the median of nine clicks within one run, and the first click after
  # opening the median of five openings (an older build may not measure that one).
  { QT_QPA_PLATFORM=offscreen TOVEL_HOME="$world/" "$bin/tovel_windows_bench" -median "$runs" \
      openBaseViewer searchKeystroke filterChange queryKeystroke 2>/dev/null
    QT_QPA_PLATFORM=offscreen TOVEL_HOME="$world/" "$bin/tovel_windows_bench" resort 2>/dev/null
    QT_QPA_PLATFORM=offscreen TOVEL_HOME="$world/" "$bin/tovel_windows_bench" resortFirst 2>/dev/null || true; } |
    awk '/^RESULT/ { name = $3; gsub(/BenchCollectionWindows::|\(\)|:$/, "", name); gsub(/"/, "", name); next }
         name != "" && /msecs/ { gsub(/,/, "", $1); print name "\t" $1; name = "" }'
}

for size in "${sizes[@]}"; do
  measure "$size" | sort >"$out/$size.tsv"
done

first=${sizes[0]}
last=${sizes[${#sizes[@]} - 1]}
printf '%-30s' "median (ms unless named)"
for size in "${sizes[@]}"; do printf ' %11s' "$size"; done
printf ' %8s\n' "ratio"
table="$out/$first.tsv"
for size in "${sizes[@]:1}"; do
  join -t $'\t' "$table" "$out/$size.tsv" >"$out/joined.tsv"
  table="$out/joined.tsv.$size"
  mv "$out/joined.tsv" "$table"
done
awk -F'\t' '{ printf "%-30s", $1; for (i = 2; i <= NF; ++i) printf " %11.2f", $i
              printf " %8.1f\n", ($2 > 0 ? $NF / $2 : 0) }' "$table"
rm -f "$out"/joined.tsv.*
