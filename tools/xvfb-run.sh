#!/bin/bash
# Runs one command under a private Xvfb server on a free display, and stops
# the server afterwards. The server names its display through -displayfd, so
# nothing here picks a display number or waits a fixed time. The root window
# is black, so a window shows black until its program first draws into it.
set -u

tmp=$(mktemp -d)
fifo="$tmp/display"
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 1600x1600x24 -br -nolisten tcp -noreset 3>"$fifo" 2>"$tmp/xvfb.log" &
server=$!

cleanup() {
  kill "$server" 2>/dev/null
  wait "$server" 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

# The read returns as soon as the server is ready, or on EOF if it died.
if ! read -r -t 30 display <"$fifo" || [ -z "${display:-}" ]; then
  echo "xvfb-run.sh: Xvfb did not start:" >&2
  cat "$tmp/xvfb.log" >&2
  exit 1
fi

DISPLAY=":$display" "$@"
