#!/bin/bash
# --help and --version into a full device: status 1 and a message, as GNU
# programs do, never status 0 with the text lost.
set -u
program=$1
failed=0
for option in --help --version; do
  message=$("$program" "$option" 2>&1 >/dev/full)
  status=$?
  if [ "$status" -ne 1 ] || [[ "$message" != "marblechess: write error: No space left on device" ]]; then
    echo "$option into /dev/full: status $status, message '$message'"
    failed=1
  fi
done
exit "$failed"
