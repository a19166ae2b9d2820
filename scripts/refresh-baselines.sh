#!/bin/bash
# Runs the frame scenarios and rewrites each baseline in tests/baseline/ that
# the viewer no longer shows, from the frame it settles on; baselines that
# still match are left as they are. Look at every rewritten picture before
# committing it. Arguments go to ctest (for example -R Resizes).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
source "$root/scripts/deps.sh"
ensure_packages "${build_packages[@]}" "${test_packages[@]}"
build_project "$root" "$root/build" -DBUILD_TESTING=ON
cd "$root/build"
MARBLECHESS_REFRESH_BASELINES=1 ctest -L frames -j"$(nproc)" "$@"
git -C "$root" status --short -- tests/baseline
