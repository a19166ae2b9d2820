#!/bin/bash
# Runs the reader's table through one build of tests/reader_replay.cpp:
# reader_table.sh TABLE_WRITER PLATFORM REPLAY-COMMAND... The replay runs in
# the table's folder and must print exactly what the table expects, line
# ends aside (Windows writes CR LF).
set -euo pipefail
writer=$1 platform=$2
shift 2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
"$writer" "$dir"
mapfile -t files <"$dir/files.txt"
if [ "${#files[@]}" -eq 0 ]; then
  echo "reader table on $platform: the table writer gave no files" >&2
  exit 1
fi
status=0
: >"$dir/diff.txt"
(cd "$dir" && "$@" "${files[@]}") >"$dir/raw.txt" 2>"$dir/errors.txt" || status=$?
tr -d '\r' <"$dir/raw.txt" >"$dir/actual.txt"
if [ "$status" -ne 0 ] || ! diff -u "$dir/expected.txt" "$dir/actual.txt" >"$dir/diff.txt"; then
  cat "$dir/diff.txt" "$dir/errors.txt" >&2
  echo "reader table on $platform: the replay ended with status $status or said other words" >&2
  exit 1
fi
echo "reader table on $platform: ${#files[@]} files, each read or refused as expected"
