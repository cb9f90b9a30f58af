#!/usr/bin/env bash
# Installs what Tovel needs, builds it with AddressSanitizer and UndefinedBehaviorSanitizer,
# and runs every test (core, windows offscreen, command line).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTOVEL_SANITIZE=ON >/dev/null
cmake --build build-asan
cd build-asan
ctest --output-on-failure -j2 "$@"
