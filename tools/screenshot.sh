#!/bin/bash
# Takes a screenshot of the viewer under an X server of its own; see
# `tools/screenshot.sh --help` for the options. Builds what it needs first.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ ! -f "$root/build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$root/build" >/dev/null
fi
cmake --build "$root/build" --target screenshot -j"$(nproc)" >/dev/null
exec "$root/tools/xvfb-run.sh" "$root/build/tools/screenshot" "$@"
