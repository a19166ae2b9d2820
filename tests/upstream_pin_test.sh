#!/bin/bash
# The page's build takes an upstream tarball only with the SHA-256 pinned
# for its name: one that differs from its pin, or has none, stops it and
# leaves nothing unpacked; the pinned one is unpacked afresh over what was
# there. upstream_pin_test.sh DEPS_SH
set -euo pipefail
source "$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/tree/upstream-1.0"
echo "upstream's source" >"$dir/tree/upstream-1.0/file.c"
tar -czf "$dir/upstream_1.0.orig.tar.gz" -C "$dir/tree" upstream-1.0
(cd "$dir" && sha256sum upstream_1.0.orig.tar.gz) >"$dir/pins"
cp "$dir/upstream_1.0.orig.tar.gz" "$dir/other_1.0.orig.tar.gz"
echo "a change after the pin" >>"$dir/tree/upstream-1.0/file.c"
tar -czf "$dir/changed_1.0.orig.tar.gz" -C "$dir/tree" upstream-1.0
sed 's/upstream_1.0/changed_1.0/' "$dir/pins" >>"$dir/pins"

fail() {
  echo "upstream pins: $*" >&2
  exit 1
}
said=$(unpack_pinned "$dir/changed_1.0.orig.tar.gz" "$dir/changed" "$dir/pins" 2>&1) &&
  fail "a tarball that differs from its pin was unpacked"
[ "$said" = "changed_1.0.orig.tar.gz does not match the SHA-256 pinned in pins" ] || fail "it said: $said"
[ ! -e "$dir/changed" ] || fail "a tarball that differs from its pin left a tree"
said=$(unpack_pinned "$dir/other_1.0.orig.tar.gz" "$dir/other" "$dir/pins" 2>&1) &&
  fail "a tarball without a pin was unpacked"
[ "$said" = "other_1.0.orig.tar.gz is not pinned in pins: add its SHA-256 once it is checked" ] ||
  fail "it said: $said"
mkdir -p "$dir/unpacked" && echo "an edit" >"$dir/unpacked/file.c"
unpack_pinned "$dir/upstream_1.0.orig.tar.gz" "$dir/unpacked" "$dir/pins" || fail "the pinned tarball was refused"
[ "$(cat "$dir/unpacked/file.c")" = "upstream's source" ] || fail "a tree unpacked before was trusted"
echo "upstream pins: a tarball that differs from its pin or has none is refused; the pinned one is unpacked afresh"
