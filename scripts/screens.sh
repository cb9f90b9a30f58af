#!/usr/bin/env bash
# Renders every window of the program to PNG files in OUTDIR, offscreen, on a copy of the sample
# world.
# Uses the build in build/ (or the one named by TOVEL_BUILD_DIR); builds one only when there
# is none, and adds the screenshot program to an existing build when it lacks it.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -ne 1 ]; then
  echo "usage: scripts/screens.sh OUTDIR" >&2
  exit 2
fi
out=$1
build=${TOVEL_BUILD_DIR:-build}

if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
  scripts/deps.sh
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOVEL_SANITIZE=OFF >/dev/null
  cmake --build "$build"
elif [ ! -x "$build/bin/tovel-screens" ] || [ ! -f "$build/bin/editions.rcc" ]; then
  cmake --build "$build" --target tovel-screens tovel_art tovel_data
fi

mkdir -p "$out"
# The windows run on a scratch copy of the sample world: what they save (a draft record, the
# hand-off deck) stays out of the build's own program folder.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
cp -r "$build/bin/Data" "$build/bin/Decks" "$build/bin/Inventory" "$build/bin/Cubes" "$build/bin/editions.rcc" "$home/"
TOVEL_HOME="$home" QT_QPA_PLATFORM=offscreen \
LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0" \
  "$build/bin/tovel-screens" "$out"
