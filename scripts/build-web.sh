#!/bin/bash
# Builds the viewer for web browsers with Emscripten and writes
# build-web/marblechess-<version>.html (or into the folder given): one
# self-contained page with the program, its marble and the page's own
# script, which opens from disk or from any web server and fetches nothing.
# GLU's quadric code and freeglut's shape code are compiled from the
# upstream tarballs of Debian's source packages, checked against their
# .dsc; nothing else is downloaded. The same commit gives the same page,
# byte for byte, wherever it is built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
ensure_packages "${web_packages[@]}"
build=$(realpath -m "${1:-$root/build-web}")
mkdir -p "$build"
# Debian's emcc needs Debian's own Node.js modules, whichever node comes first.
export NODE_PATH=/usr/share/nodejs

for package in libglu freeglut; do
  if ! fetch_upstream_source "$package" "$build/$package-source" "$build/$package-source.log"; then
    echo "build-web.sh: see above" >&2
    exit 1
  fi
done
build_project "$root" "$build/viewer" -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DGLU_SOURCE_DIR="$build/libglu-source" -DFREEGLUT_SOURCE_DIR="$build/freeglut-source"

version=$(project_version "$root")
page="$build/marblechess-$version.html"
# The licences of everything the page holds: the viewer's, GLU's (the
# notice at the head of its quadric code), freeglut's and Emscripten's,
# whose runtime and C and C++ libraries are compiled in.
licences="$build/licences.txt"
{
  echo "marblechess"
  cat "$root/LICENSE"
  printf '\n\nGLU (the quadric code)\n'
  sed -n '1,/\*\//p' "$build/libglu-source/src/libutil/quad.c"
  printf '\n\nfreeglut (the shape code)\n'
  cat "$build/freeglut-source/COPYING"
  printf '\n\nEmscripten (its runtime and C and C++ libraries)\n'
  cat /usr/share/doc/emscripten/copyright
} >"$licences"
python3 - "$root/web/page/page.html" "$build/viewer/web/marblechess.js" "$root/web/page/page.js" \
  "$licences" "$version" "$page" <<'PY'
import html, sys
template, viewer, script, licences, version, out = sys.argv[1:]
read = lambda name: open(name, encoding="utf-8").read()
parts = {"@VIEWER@": read(viewer), "@PAGE@": read(script)}
for name, text in parts.items():
    if "</script" in text.lower():
        sys.exit(f"build-web.sh: {name} holds </script")
page = read(template)
parts["@LICENCES@"] = html.escape(read(licences))
parts["@VERSION@"] = version
for key, text in parts.items():
    page = page.replace(key, text)
open(out, "w", encoding="utf-8", newline="\n").write(page)
PY
echo "web: $page ($(stat -c %s "$page") bytes)"
