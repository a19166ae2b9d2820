#!/bin/bash
# Cross-builds the viewer for 64-bit Windows with MinGW-w64 and packs
# marblechess-<version>-win64.zip in the build folder (the argument, or
# build-windows/): one folder with the program, GLUT's DLL, the marble, the
# README and the licences. GLUT is freeglut, built here from Debian's own
# source package, got with apt-get source through a private deb-src list;
# nothing else is downloaded. Fails when the program or a DLL in the zip
# imports a DLL that is neither in the zip nor part of every Windows. The
# same commit gives the same zip, byte for byte, wherever and whenever it is
# built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
source "$root/scripts/deps.sh"
ensure_packages "${windows_packages[@]}"
build=$(realpath -m "${1:-$root/build-windows}")
# Also the time the linker and strip write into the PE headers.
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(source_date_epoch "$root")
toolchain="$root/cmake/mingw-w64.cmake"
mkdir -p "$build"

# Debian's freeglut source, from the deb-src twins of the machine's own deb
# entries, without touching the machine's apt configuration.
fetch_freeglut() {
  local dest=$1 apt
  [ -f "$dest/CMakeLists.txt" ] && return 0
  apt=$(mktemp -d)
  mkdir -p "$apt/get"
  if ! { private_deb_src "$apt" && (cd "$apt/get" && apt_get "${private_apt[@]}" source freeglut); } \
    >"$build/freeglut-source.log" 2>&1; then
    echo "build-windows.sh: cannot get freeglut's source from Debian (see $build/freeglut-source.log)" >&2
    rm -rf "$apt"
    return 1
  fi
  mv "$apt"/get/freeglut-*/ "$dest"
  rm -rf "$apt"
}

fetch_freeglut "$build/freeglut-source"
# freeglut goes inside the viewer's build folder, where CMake names it by a
# relative path: ld orders a program's imports by the paths of the import
# libraries it read, and an absolute one would put the folder's name into
# the program.
glut="$build/viewer/freeglut"
if [ ! -f "$glut/lib/libglut.dll.a" ]; then
  build_project "$build/freeglut-source" "$build/freeglut-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$glut" -DFREEGLUT_REPLACE_GLUT=ON \
    -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=OFF \
    -DCMAKE_C_FLAGS="-ffile-prefix-map=$build=." \
    -DCMAKE_SHARED_LINKER_FLAGS="-static-libgcc -Wl,--no-insert-timestamp"
  cmake --install "$build/freeglut-build" --strip >/dev/null
  install -D -m 644 "$build/freeglut-source/COPYING" "$glut/share/doc/freeglut/COPYING"
fi

build_project "$root" "$build/viewer" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_FIND_ROOT_PATH="$glut" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
version=$(project_version "$root")
name="marblechess-$version-win64"
zip="$build/$name.zip"
rm -rf "$build/stage" "$zip"
cmake --install "$build/viewer" --prefix "$build/stage/$name" --strip >/dev/null
# One time for every member, written in UTC, names sorted, no owner and no
# extra fields: nothing of the machine or the hour it was made on.
find "$build/stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
(cd "$build/stage" && find "$name" -type f | LC_ALL=C sort | TZ=UTC zip -q -X -D -9 -@ "$zip")

# Every import of the program and its DLLs is a DLL in the zip or one that
# every Windows has.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
unzip -q "$zip" -d "$unpacked"
folder="$unpacked/marblechess-$version-win64"
system=" kernel32.dll user32.dll gdi32.dll advapi32.dll msvcrt.dll opengl32.dll glu32.dll winmm.dll "
for needed in marblechess.exe libglut.dll; do
  if [ ! -f "$folder/$needed" ]; then
    echo "build-windows.sh: the zip holds no $needed" >&2
    rm -f "$zip"
    exit 1
  fi
done
shipped=" $(find "$folder" -maxdepth 1 -name '*.dll' -printf '%f\n' | tr '[:upper:]' '[:lower:]' | tr '\n' ' ') "
missing=0
for binary in "$folder"/*.exe "$folder"/*.dll; do
  # objdump's own status is checked: an unreadable file has no imports to list.
  if ! headers=$(x86_64-w64-mingw32-objdump -p "$binary"); then
    echo "build-windows.sh: objdump cannot read $(basename "$binary")" >&2
    missing=1
    continue
  fi
  for dll in $(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr '[:upper:]' '[:lower:]'); do
    if [[ "$shipped$system" != *" $dll "* ]]; then
      echo "$(basename "$binary") needs $dll, which is neither in the zip nor part of Windows" >&2
      missing=1
    fi
  done
done
if [ "$missing" -ne 0 ]; then
  rm -f "$zip"
  exit 1
fi
echo "windows: $zip"
