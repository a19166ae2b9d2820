#!/bin/bash
# Installs what is missing, builds, and runs every test: logic, GL in a real
# context under Xvfb, and the whole program driven through real input.
# With --sanitize, builds into build-asan/ with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the same tests there. Other arguments
# go to ctest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
source "$root/scripts/deps.sh"
build="$root/build"
options=(-DBUILD_TESTING=ON)
if [ "${1:-}" = "--sanitize" ]; then
  shift
  build="$root/build-asan"
  options+=(-DMARBLECHESS_SANITIZE=ON)
fi
ensure_packages "${build_packages[@]}" "${test_packages[@]}"
build_project "$root" "$build" "${options[@]}"
cd "$build"
ctest --output-on-failure -j"$(nproc)" "$@"
