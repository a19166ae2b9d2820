#!/bin/bash
# The texture reader as the page runs it: compiled by Emscripten for wasm32,
# where size_t and long have 32 bits, with AddressSanitizer and
# UndefinedBehaviorSanitizer, and run under Node.js. It must give the
# reader's table word for word as on the desktop, and get through the
# fuzzer's seeds and corpus (build-fuzz/, from scripts/fuzz.sh; the seeds
# alone when there is none) without a finding.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
source "$root/scripts/deps.sh"
ensure_packages "${build_packages[@]}" "${test_packages[@]}" "${web_packages[@]}" nodejs
build_project "$root" "$root/build" -DBUILD_TESTING=ON
# Debian's emcc needs Debian's own Node.js modules, whichever node comes first.
export NODE_PATH=/usr/share/nodejs
out="$root/build-wasm-reader"
mkdir -p "$out"
em++ -std=c++17 -O1 -g -Wall -Wextra -Wpedantic -Werror -I"$root/src" \
  -fsanitize=address,undefined -fno-sanitize-recover=undefined \
  -sNODERAWFS -sALLOW_MEMORY_GROWTH -sENVIRONMENT=node -sWASM_ASYNC_COMPILATION=0 \
  -o "$out/reader_replay.js" "$root/tests/reader_replay.cpp" "$root/src/texture/bmp.cpp" \
  "$root/src/texture/open_file.cpp"
"$root/tests/reader_table.sh" "$root/build/tests/reader_table" wasm32 node "$out/reader_replay.js"

fuzz="$root/build-fuzz"
if [ ! -d "$fuzz/seeds" ]; then
  fuzz="$out/fuzz"
  mkdir -p "$fuzz/seeds"
  g++ -std=c++17 -I"$root/src" -I"$root/tools" -o "$out/make_seeds" "$root/tests/fuzz/make_seeds.cpp" \
    "$root/tests/bmp_files.cpp" "$root/tools/bmp_writer/bmp_writer.cpp"
  "$out/make_seeds" "$fuzz/seeds"
fi
folders=("$fuzz/seeds")
[ ! -d "$fuzz/corpus" ] || folders+=("$fuzz/corpus")
count=$(find "${folders[@]}" -type f | wc -l)
if [ "$count" -eq 0 ]; then
  echo "reader on wasm32: no seeds or corpus files to replay in ${folders[*]}" >&2
  exit 1
fi
# A sanitizer's finding aborts the replay, which ends xargs with a failure.
if ! find "${folders[@]}" -type f -print0 |
  xargs -0 -n 500 node "$out/reader_replay.js" >"$out/replay.log" 2>&1; then
  grep -B 2 -A 20 -m 1 -E 'Sanitizer|Aborted|RuntimeError' "$out/replay.log" >&2 || tail -n 40 "$out/replay.log" >&2
  echo "reader on wasm32: a finding in the fuzzer's files (all of it in $out/replay.log)" >&2
  exit 1
fi
echo "reader on wasm32: $count of the fuzzer's files replayed without a finding"
