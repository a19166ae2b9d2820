#!/bin/bash
# Installs what is missing, builds, and starts the viewer in data/, where it
# finds its texture.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
source "$root/scripts/deps.sh"
ensure_packages "${build_packages[@]}"
build_project "$root" "$root/build" -DBUILD_TESTING=OFF
cd "$root/data"
exec "$root/build/marblechess" "$@"
