#!/bin/bash
# Installs what is missing, builds, and runs every test: logic, GL in a real
# context under Xvfb, and the whole program driven through real input.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
ensure_packages "${build_packages[@]}" "${test_packages[@]}"
build_project "$root" -DBUILD_TESTING=ON
cd "$root/build"
ctest --output-on-failure -j"$(nproc)" "$@"
