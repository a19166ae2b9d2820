#!/bin/bash
# Takes a screenshot of the viewer under an X server of its own; see
# `tools/screenshot.sh --help` for the options. Installs and builds what it
# needs first, quietly.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
ensure_packages "${build_packages[@]}" "${test_packages[@]}"
build_project "$root" "$root/build" -DBUILD_TESTING=ON
exec "$root/tools/xvfb-run.sh" "$root/build/tools/screenshot" "$@"
