#!/usr/bin/env bash
# Builds the benchmarks (release) and runs them. With TOVEL_BENCH_WORLD=DIR the data benchmarks
# run on the program folder DIR (e.g. a large world from tovel-worldgen).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOVEL_SANITIZE=OFF -DTOVEL_BUILD_BENCH=ON \
      -DTOVEL_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench --target tovel_bench
exec build-bench/bin/tovel_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
