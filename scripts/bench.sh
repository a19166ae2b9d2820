#!/bin/bash
# Builds an optimised tree in build-bench/ and runs the benchmarks: the BMP
# reader against a plain read and a peer decoder, then frames, start-up and
# memory of the viewer under an X server of its own, and last the page for
# web browsers (built again where anything changed) in Chromium, Firefox and
# WebKitGTK: its size, first frame, the main thread's time for a frame
# beside the floor of the same page drawing nothing, the whole frame beside
# the desktop's, a drag's frames per second and the memory restarts take.
# Arguments go to both benchmark programs (for example
# --benchmark_repetitions=5).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
source "$root/scripts/deps.sh"
ensure_packages "${build_packages[@]}" "${test_packages[@]}" "${browser_packages[@]}" libbenchmark-dev
install_node_modules "$root"
build_project "$root" "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DMARBLECHESS_BENCH=ON
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$root/build-bench/bench/bmp_bench" "$@"
"$root/tools/xvfb-run.sh" "$root/build-bench/bench/frame_bench" --benchmark_out="$work/frames.json" \
  --benchmark_out_format=json "$@"
page="$root/build-web/marblechess-$(project_version "$root").html"
"$root/scripts/build-web.sh"
"$root/scripts/build-web.sh" "$root/build-bench/web-floor" -DMARBLECHESS_WEB_FLOOR=ON >/dev/null
"$root/build-bench/bench/bench_texture" "$work/large-4096.bmp" 4096
# The page's whole frame is set beside the desktop's of this same run.
HOME="$work" "$root/tools/xvfb-run.sh" node "$root/bench/web_bench.mjs" "$page" \
  "$root/build-bench/web-floor/marblechess-$(project_version "$root").html" "$work/large-4096.bmp" \
  "$work/frames.json"
