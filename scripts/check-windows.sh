#!/bin/bash
# Checks the zip that scripts/build-windows.sh made, under Wine, which hands
# GL to the same Mesa as the Linux program, so the same baselines hold. The
# zip is unpacked into a folder whose name has spaces and non-ASCII letters,
# and into one past MAX_PATH, and the program is started from other folders, in a fresh Wine prefix
# under a private X server: tests/windows_test.cpp says what it must show.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
source "$root/scripts/deps.sh"
ensure_packages "${build_packages[@]}" "${test_packages[@]}" "${windows_packages[@]}" \
  "${wine_packages[@]}"
zip="$root/build-windows/marblechess-$(project_version "$root")-win64.zip"
if [ ! -f "$zip" ]; then
  echo "check-windows.sh: no $(basename "$zip") in build-windows/; make it with ./scripts/build-windows.sh" >&2
  exit 1
fi
build_project "$root" "$root/build" -DBUILD_TESTING=ON
# The reader alone, built as the zip's program is, for the reader's table.
replay="$root/build-windows/reader_replay.exe"
x86_64-w64-mingw32-g++-posix -std=c++17 -O2 -Wall -Wextra -Wpedantic -Werror -static \
  -I"$root/src" -o "$replay" "$root/tests/reader_replay.cpp" "$root/src/texture/bmp.cpp" \
  "$root/src/texture/open_file.cpp"

# Debian's wine64 package has the loader but no wine command on the PATH.
wine=$(dpkg -L wine64 | grep -m 1 '/wine64$')
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
folder="$work/unpacked here, été"
mkdir "$folder"
unzip -q "$zip" -d "$folder"
program=$(ls "$folder"/*/marblechess.exe)
# Once more where the folder's Windows path is past the 260 characters of
# MAX_PATH, one level at a time within the file system's 255 bytes a name.
deep="$work/deep"
for level in 1 2 3 4; do
  deep="$deep/Übungsordner $level, à la française, the viewer unpacked deep in a user's folders"
done
mkdir -p "$deep"
unzip -q "$zip" -d "$deep"
deep_program=$(ls "$deep"/*/marblechess.exe)

# A new prefix, and no offer to install Wine's .NET and HTML engines. Wine
# reads Unix file names in the locale's character set, which must be UTF-8
# for the accented folder to keep its name, as on any desktop today.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
export MARBLECHESS_WINE="$wine" MARBLECHESS_WINDOWS_PROGRAM="$program"
export MARBLECHESS_WINDOWS_DEEP_PROGRAM="$deep_program"
# A console program, in a prefix of its own: a prefix first made without a
# display would leave the viewer's without one.
WINEPREFIX="$work/reader-prefix" \
  "$root/tests/reader_table.sh" "$root/build/tests/reader_table" windows-x86-64 "$wine" "$replay"
"$root/tools/xvfb-run.sh" bash -c '
  timeout 300 "$MARBLECHESS_WINE" wineboot --init >"$WINEPREFIX.boot.log" 2>&1 || {
    cat "$WINEPREFIX.boot.log" >&2; exit 1; }
  status=0
  "$0" || status=$?
  "$(dirname "$MARBLECHESS_WINE")/wineserver" -k 2>/dev/null || true
  exit $status' "$root/build/tests/windows_tests"
echo "windows: $(basename "$zip") shows its frames under Wine"
