#!/bin/bash
# Fuzzes the BMP reader with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer for a bounded time (seconds, default 60).
# Fails on any finding; a crashing input is left in build-fuzz/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
seconds=${1:-60}
source "$root/scripts/deps.sh"
ensure_packages clang libclang-rt-14-dev
out="$root/build-fuzz"
mkdir -p "$out/seeds" "$out/corpus"
flags=(-std=c++17 -g -O1 -I"$root/src" -I"$root/tools" -fno-omit-frame-pointer)
clang++ "${flags[@]}" -o "$out/make_seeds" "$root/tests/fuzz/make_seeds.cpp" "$root/tests/bmp_files.cpp" \
  "$root/tools/bmp_writer/bmp_writer.cpp"
"$out/make_seeds" "$out/seeds"
clang++ "${flags[@]}" -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -o "$out/bmp_fuzzer" "$root/tests/fuzz/bmp_fuzzer.cpp" "$root/src/texture/bmp.cpp" \
  "$root/src/texture/open_file.cpp"
cd "$out"
# The fuzzer's own status decides; the filter only shortens what it says.
status=0
./bmp_fuzzer -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 corpus seeds \
  >fuzz.log 2>&1 || status=$?
grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==|SUMMARY|Done)' fuzz.log || true
if [ "$status" -ne 0 ]; then
  echo "fuzz: the fuzzer ended with status $status; its whole output is in $out/fuzz.log" >&2
fi
exit "$status"
