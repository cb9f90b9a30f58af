#!/usr/bin/env bash
# Installs what Tovel needs, builds it (release) and starts it on the bundled sample data.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOVEL_SANITIZE=OFF >/dev/null
cmake --build build

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<MSG
Tovel is built: build/bin/tovel
There is no display here (DISPLAY and WAYLAND_DISPLAY are not set), so it cannot open its window.
Run it on a virtual screen instead:
    xvfb-run -a build/bin/tovel
MSG
  exit 1
fi
exec build/bin/tovel "$@"
