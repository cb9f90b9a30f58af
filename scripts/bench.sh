#!/usr/bin/env bash
# Builds the benchmarks (release) and runs them on a large generated world: the card database
# (load, save, build, memory, lookups), one whole draft, decks built from pools and their odds,
# the cards list model, the collection windows offscreen, and work that must stay linear (a
# whole-pool booster, printings over repeated edition codes). TOVEL_BENCH_SIZE=N sets the world's printings (default 100000);
# TOVEL_BENCH_WORLD=DIR names a program folder holding Data/ of that size; without it the world
# is generated once into build-bench/world-N. Extra arguments go to the Google Benchmark
# programs (e.g. --benchmark_filter=Load).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOVEL_SANITIZE=OFF -DTOVEL_BUILD_BENCH=ON -DTOVEL_BUILD_UI=ON \
      -DTOVEL_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench --target tovel_bench tovel_collection_bench tovel_windows_bench tovel-worldgen

size=${TOVEL_BENCH_SIZE:-100000}
world=${TOVEL_BENCH_WORLD:-build-bench/world-$size}
if [ ! -f "$world/Data/base.txt" ]; then
  echo "== generating a world of $size printings in $world"
  build-bench/bin/tovel-worldgen --large "$size" "$world"
fi
world=$(cd "$world" && pwd)

export TOVEL_BENCH_WORLD=$world TOVEL_BENCH_SIZE=$size
echo "== card database, draft, deck building and odds"
build-bench/bin/tovel_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
echo "== cards list model"
build-bench/bin/tovel_collection_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
echo "== collection windows (offscreen)"
QT_QPA_PLATFORM=offscreen TOVEL_HOME="$world/" build-bench/bin/tovel_windows_bench -median 7
