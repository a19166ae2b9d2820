#!/bin/bash
# Builds an optimised tree in build-bench/ and runs the benchmarks: the BMP
# reader against a plain read and a peer decoder, then frames, start-up and
# memory of the viewer under an X server of its own, and last the page for
# web browsers in headless Chromium (built first when it is missing): its
# size, its first frame and one frame. Arguments go to both benchmark
# programs (for example --benchmark_repetitions=5).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/deps.sh"
ensure_packages "${build_packages[@]}" "${test_packages[@]}" "${browser_packages[@]}" libbenchmark-dev
build_project "$root" "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DMARBLECHESS_BENCH=ON
"$root/build-bench/bench/bmp_bench" "$@"
"$root/tools/xvfb-run.sh" "$root/build-bench/bench/frame_bench" "$@"
page="$root/build-web/marblechess-$(project_version "$root").html"
[ -f "$page" ] || "$root/scripts/build-web.sh"
/usr/bin/python3 "$root/bench/web_bench.py" "$page"
