#!/bin/bash
# Checks the page that scripts/build-web.sh made (built first when it is
# missing) in a real headless Chromium, whose WebGL runs on SwiftShader, a
# renderer in software: tests/web_test.py opens it from disk, drives it
# with real key presses, pointer drags, its buttons and its file chooser,
# and holds its frames against the desktop's baselines under the browser's
# tolerance (tests/baseline.h).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
ensure_packages "${build_packages[@]}" "${test_packages[@]}" "${browser_packages[@]}"
version=$(project_version "$root")
page="$root/build-web/marblechess-$version.html"
[ -f "$page" ] || "$root/scripts/build-web.sh"
build_project "$root" "$root/build" -DBUILD_TESTING=ON
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$root/build/tests/web_test_files" "$work"
# Debian's Selenium is for Debian's own Python, whichever comes first.
MARBLECHESS_PAGE="$page" MARBLECHESS_BASELINES="$root/tests/baseline" \
  MARBLECHESS_FRAME_CHECK="$root/build/tests/web_frame_check" MARBLECHESS_TEXTURES="$work" \
  MARBLECHESS_FRAMES="$root/build/tests/frames" MARBLECHESS_MARBLE="$root/data/marmor.bmp" \
  HOME="$work" /usr/bin/python3 "$root/tests/web_test.py"
