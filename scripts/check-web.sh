#!/bin/bash
# Builds the page with scripts/build-web.sh (again where anything changed)
# and checks it, and the GL programs' pages beside it, in three browser
# engines: Chromium (headless, its WebGL through ANGLE on Mesa), Firefox ESR
# and WebKitGTK, both under an X server of the suite's own. tests/web/ opens the page from disk in each, drives it with
# real key presses, pointer and finger drags, its buttons and its file
# chooser, and holds its frames against the desktop's baselines under the
# tolerance of the engine's renderer (tests/baseline.h). MARBLECHESS_ENGINES
# (say, firefox,webkit) runs some of the engines only; arguments go to
# node --test (say, --test-name-pattern=Resized).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
source "$root/scripts/deps.sh"
ensure_packages "${build_packages[@]}" "${test_packages[@]}" "${browser_packages[@]}"
install_node_modules "$root"
version=$(project_version "$root")
page="$root/build-web/marblechess-$version.html"
"$root/scripts/build-web.sh"
# A program of the kind a user brings, built into a page as its user would.
"$root/scripts/build-web.sh" --program "$root/tests/own/orbit.c" "$root/tests/own/orbit_text.c"
# One that calls what the page cannot give fails its build, the call named.
if refused=$("$root/scripts/build-web.sh" --program "$root/tests/own/game_mode.c" 2>&1); then
  echo "check-web.sh: a program asking for GLUT's game mode was built into a page" >&2
  exit 1
fi
if ! grep -q "undefined symbol: glutGameModeString" <<<"$refused"; then
  echo "$refused" >&2
  echo "check-web.sh: the failed build does not name glutGameModeString" >&2
  exit 1
fi
build_project "$root" "$root/build" -DBUILD_TESTING=ON
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$root/build/tests/web_test_files" "$work"
cp "$root/data/marmor.bmp" "$work/"
# The browsers keep their profiles under a home of their own.
HOME="$work" MARBLECHESS_PAGE="$page" MARBLECHESS_BASELINES="$root/tests/baseline" \
  MARBLECHESS_FRAME_CHECK="$root/build/tests/web_frame_check" MARBLECHESS_TEXTURES="$work" \
  MARBLECHESS_FRAMES="$root/build/tests/frames" MARBLECHESS_GL_PAGES="$root/build-web/gl" MARBLECHESS_OWN_PAGES="$root/build-web" \
  "$root/tools/xvfb-run.sh" node --test --test-reporter="$root/tests/web/reporter.mjs" "$@" \
  "$root/tests/web/page.test.mjs"
