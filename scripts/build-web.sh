#!/bin/bash
# Builds the viewer for web browsers with Emscripten and writes
# build-web/marblechess-<version>.html (or into the folder given, with CMake
# options after it, as the benchmark's floor has): one
# self-contained page with the program, its marble and the page's own
# script, which opens from disk or from any web server and fetches nothing.
# With --program SOURCE... it builds a GLUT program of the user's own (C or
# C++, its first source's folder on its include path) into a page of its
# own instead, build-web/<first source's name>.html.
# GLU and freeglut's shape and font code are compiled from the
# upstream tarballs of Debian's source packages, checked against the SHA-256
# pinned in web/upstream-sources.sha256; nothing else of the source
# packages is needed. The same commit gives the same page, byte for byte,
# wherever it is built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
source "$root/scripts/deps.sh"
ensure_packages "${web_packages[@]}"
sources=()
if [ "${1:-}" = --program ]; then
  shift
  [ $# -gt 0 ] || { echo "usage: build-web.sh --program SOURCE..." >&2; exit 2; }
  for source in "$@"; do
    [ -f "$source" ] || { echo "build-web.sh: no source file $source" >&2; exit 1; }
    sources+=("$(realpath "$source")")
  done
  set --
fi
build=$(realpath -m "${1:-$root/build-web}")
shift $(($# > 0 ? 1 : 0))
mkdir -p "$build"
# Debian's emcc needs Debian's own Node.js modules, whichever node comes first.
export NODE_PATH=/usr/share/nodejs

for package in libglu freeglut; do
  if ! fetch_upstream_source "$package" "$build/$package-source" "$build/$package-source.log" \
    "$root/web/upstream-sources.sha256"; then
    echo "build-web.sh: see above" >&2
    exit 1
  fi
done
web_options=(-DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
  -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
  -DGLU_SOURCE_DIR="$build/libglu-source" -DFREEGLUT_SOURCE_DIR="$build/freeglut-source")

# Every GL and GLUT call of each program reaches the stand-in or the page's
# GLUT: its module may import no gl function from WebGL's library but those
# web/allowed-imports.txt names with its reason, and no GLUT function that
# glut/glut.js does not define. Imports every such module has must be among
# those read, or the reading has failed, and nothing would be checked.
check_imports() {
  python3 - "$1" "$root/web/glut/glut.js" "$root/web/allowed-imports.txt" <<'PY'
import re, sys
module, glut, allowed = (open(name, encoding="utf-8").read() for name in sys.argv[1:])
table = re.search(r"(?:asmLibraryArg|wasmImports)\s*=\s*\{([^}]*)\}", module)
if not table:
    sys.exit(f"build-web.sh: cannot find the imports of {sys.argv[1]}")
imports = set(re.findall(r":\s*_(\w+)", table.group(1)))
unread = sorted({"glutCreateWindow", "glutMainLoop", "emscripten_glClear"} - imports)
if unread:
    sys.exit(f"build-web.sh: cannot read the imports of {sys.argv[1]}: none named " + " ".join(unread))
ours = set(re.findall(r"^\s*(glut\w+):\s*function", glut, re.M))
allowed = {line.split()[0] for line in allowed.splitlines() if line.strip() and not line.startswith("#")}
stray = sorted(name for name in imports
               if (re.match(r"gl[A-Z]", name) and name not in allowed) or
               (name.startswith("glut") and name not in ours))
if stray:
    sys.exit("build-web.sh: these calls pass the stand-in by: " + " ".join(stray))
PY
}

# The licences of everything a page holds: the viewer's (its GL and GLUT
# are the project's), GLU's (the notice at the head of each of its files),
# freeglut's and Emscripten's, whose runtime and C and C++ libraries are
# compiled in.
licences="$build/licences.txt"
{
  echo "marblechess"
  cat "$root/LICENSE"
  printf '\n\nGLU (its notice, the same at the head of each of its files)\n'
  sed -n '1,/\*\//p' "$build/libglu-source/src/libutil/quad.c"
  printf '\n\nfreeglut (the shape and font code)\n'
  cat "$build/freeglut-source/COPYING"
  printf '\n\nEmscripten (its runtime and C and C++ libraries)\n'
  cat /usr/share/doc/emscripten/copyright
} >"$licences"
version=$(project_version "$root")

# A program of the user's own: only its target is built, and its own
# warnings fail nothing.
if [ ${#sources[@]} -gt 0 ]; then
  name=$(basename "${sources[0]}")
  name=${name%.*}
  log="$build/program/build.log"
  mkdir -p "$build/program"
  if ! { cmake -S "$root" -B "$build/program" "${web_options[@]}" -DMARBLECHESS_WERROR=OFF \
      -DMARBLECHESS_PAGE_PROGRAM="$(IFS=';'; echo "${sources[*]}")" &&
      cmake --build "$build/program" -j"$(nproc)" --target page_program; } >"$log" 2>&1; then
    cat "$log" >&2
    echo "build-web.sh: the program did not build; the log is in $log" >&2
    exit 1
  fi
  check_imports "$build/program/web/page_program.js"
  page="$build/$name.html"
  python3 "$root/web/page/assemble.py" "$root/web/page/program.html" "$build/program/web/page_program.js" \
    "$root/web/page/program.js" "$page" "$licences" "$version"
  echo "web: $page ($(stat -c %s "$page") bytes)"
  exit 0
fi

build_project "$root" "$build/viewer" "${web_options[@]}" "$@"
check_imports "$build/viewer/web/marblechess.js"
page="$build/marblechess-$version.html"
python3 "$root/web/page/assemble.py" "$root/web/page/page.html" "$build/viewer/web/marblechess.js" \
  "$root/web/page/page.js" "$page" "$licences" "$version"
# The GL programs that hold the stand-in against Mesa, each a page of its
# own for the tests, in gl/.
mkdir -p "$build/gl"
for module in "$build"/viewer/web/gl_*.js; do
  check_imports "$module"
  name=$(basename "$module" .js)
  python3 "$root/web/page/assemble.py" "$root/tests/gl/page.html" "$module" "$root/tests/gl/page.js" \
    "$build/gl/${name#gl_}.html"
done
echo "web: $page ($(stat -c %s "$page") bytes)"
