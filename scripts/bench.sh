#!/bin/bash
# Builds an optimised tree in build-bench/ and runs the benchmarks: the BMP
# reader against a plain read and a peer decoder, then frames, start-up and
# memory of the viewer under an X server of its own, and last the page for
# web browsers (built again where anything changed) in Chromium, Firefox and
# WebKitGTK: its size, first frame in parts, the main thread's time for a
# frame beside the floor of the same page drawing nothing and where it goes,
# the same under Chromium's 4x CPU throttling, the bytes a frame sends, the
# whole frame beside the desktop's and where the process that draws spends
# it (perf, which needs root), a drag's frames per second and the memory
# restarts take.
# Arguments go to both benchmark programs (for example
# --benchmark_repetitions=5). MARBLECHESS_BENCH_AGAINST=<commit> sets that
# commit's page and floor beside this one's, the pages taken in turn.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
source "$root/scripts/deps.sh"
ensure_packages "${build_packages[@]}" "${test_packages[@]}" "${browser_packages[@]}" libbenchmark-dev linux-perf
install_node_modules "$root"
build_project "$root" "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DMARBLECHESS_BENCH=ON
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$root/build-bench/bench/bmp_bench" "$@"
"$root/tools/xvfb-run.sh" "$root/build-bench/bench/frame_bench" --benchmark_out="$work/frames.json" \
  --benchmark_out_format=json "$@"
# The desktop's frames once more under perf, beside the page's drawing
# process; without perf's rights the page's report says so.
desktopPerf=()
if "$root/tools/xvfb-run.sh" perf record -q -g -F 999 -o "$work/desktop.perf" -- \
  "$root/build-bench/bench/frame_bench" --benchmark_filter='^BM_Frame' --benchmark_repetitions=1 \
  --benchmark_out="$work/frames-perf.json" --benchmark_out_format=json >/dev/null; then
  desktopPerf=(--desktop-perf "$work/desktop.perf" --desktop-perf-json "$work/frames-perf.json")
else
  echo "the desktop under perf: skipped, perf could not record frame_bench (it needs root)"
fi
version=$(project_version "$root")
"$root/scripts/build-web.sh"
"$root/scripts/build-web.sh" "$root/build-bench/web-floor" -DMARBLECHESS_WEB_FLOOR=ON >/dev/null
"$root/scripts/build-web.sh" "$root/build-bench/web-profile" -DCMAKE_EXE_LINKER_FLAGS=--profiling-funcs >/dev/null
pages=(--page "$root/build-web/marblechess-$version.html"
  --floor "$root/build-bench/web-floor/marblechess-$version.html"
  --profile "$root/build-bench/web-profile/marblechess-$version.html")
# Another commit's page beside this one, built from a worktree of its own,
# always at the same place, so that its builds are incremental.
if [[ -n "${MARBLECHESS_BENCH_AGAINST:-}" ]]; then
  other=$(git -C "$root" rev-parse --short "$MARBLECHESS_BENCH_AGAINST")
  source="$root/build-bench/source-$other"
  git -C "$root" worktree remove --force "$source" 2>/dev/null || rm -rf "$source"
  git -C "$root" worktree add --detach "$source" "$other" >/dev/null
  trap 'git -C "$root" worktree remove --force "$source"; rm -rf "$work"' EXIT
  "$source/scripts/build-web.sh" "$root/build-bench/web-$other" >/dev/null
  "$source/scripts/build-web.sh" "$root/build-bench/web-$other-profile" \
    -DCMAKE_EXE_LINKER_FLAGS=--profiling-funcs >/dev/null
  "$source/scripts/build-web.sh" "$root/build-bench/web-$other-floor" -DMARBLECHESS_WEB_FLOOR=ON >/dev/null
  otherVersion=$(project_version "$source")
  pages+=(--against "$root/build-bench/web-$other/marblechess-$otherVersion.html"
    --against-profile "$root/build-bench/web-$other-profile/marblechess-$otherVersion.html"
    --against-floor "$root/build-bench/web-$other-floor/marblechess-$otherVersion.html")
fi
"$root/build-bench/bench/bench_texture" "$work/large-4096.bmp" 4096
# The page's whole frame is set beside the desktop's of this same run.
HOME="$work" "$root/tools/xvfb-run.sh" node "$root/bench/web_bench.mjs" "${pages[@]}" \
  --texture "$work/large-4096.bmp" --desktop "$work/frames.json" "${desktopPerf[@]}"
