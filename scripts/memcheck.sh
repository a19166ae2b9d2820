#!/bin/bash
# Runs the viewer under valgrind's memcheck for about thirty frames (turns
# and drags) and fails on any memory error, or on memory definitely lost
# with the program's own code on the stack. Leaks inside the GL driver and
# GLX, which the program cannot free, are listed but not counted.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
source "$root/scripts/deps.sh"
ensure_packages "${build_packages[@]}" "${test_packages[@]}" valgrind
log="$root/build/memcheck.log"
turns="x X y Y z Z x X y Y z Z x X y Y z Z x X y Y z Z x X"
"$root/tools/screenshot.sh" --dir "$root/data" --timeout 600 --out "$root/build/memcheck.png" \
  --wrap "valgrind --suppressions=$root/scripts/memcheck.supp --num-callers=40 --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=none --error-exitcode=3 --log-file=$log" \
  --keys "$turns" --drag 400,200,100,100 --drag 100,100,400,200 --quit || {
  # Show each error whole, so a failure elsewhere can be read from its output.
  awk '/^==[0-9]+== (Invalid|Conditional|Use of uninit|Syscall param|Mismatched|Source and dest)/ {e=1}
    e {print} e && /^==[0-9]+== $/ {e=0}' "$log"
  grep 'ERROR SUMMARY' "$log"
  exit 1
}
grep -E 'ERROR SUMMARY|definitely lost:' "$log"
# A loss record's stack names source files only for code built with debug
# information: the program's own. A block counts as the program's when its
# code is among the few callers nearest the allocation, as when a GLU quadric
# is never deleted; the driver's own caches are allocated twenty calls deep
# under a draw call, and the program cannot free them.
own=$(awk '/definitely lost in loss record/ {record=1; depth=0; next}
  record && /^==[0-9]+== $/ {record=0}
  record && /^==[0-9]+== +(at|by) / {depth++}
  record && depth <= 8 && /\.(cpp|h):[0-9]+\)/ {print}' "$log")
if [ -n "$own" ]; then
  echo "Memory definitely lost from the program's own code:"
  echo "$own"
  exit 1
fi
echo "memcheck: no memory errors, nothing lost from the program's own code"
