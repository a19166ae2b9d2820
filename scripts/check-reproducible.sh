#!/bin/bash
# Builds the release of the checked-out commit twice, from two clones in
# folders with different paths, one after the other, in different time
# zones, the second cloned and built under another umask and the first with
# the clock set days ahead (Debian's faketime), and compares the artefacts
# byte for byte. When one differs, diffoscope explains how. Then the source tarball
# is unpacked outside git and its own test command must pass.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
source "$root/scripts/deps.sh"
ensure_packages git faketime
# The two folders lie on either side of /usr, where the compilers' own
# libraries are, so a path that decides an order inside a binary shows.
work=$(mktemp -d)
other=$(mktemp -d -p /var/tmp)
trap 'rm -rf "$work" "$other"' EXIT
first="$work/a/marblechess"
second="$other/much/deeper/marblechess-again"
# Both clones of the one commit first, each under its build's umask, so
# its files' modes differ too.
(umask 022 && git clone -q --no-hardlinks "$root" "$first")
(umask 002 && git clone -q --no-hardlinks "$root" "$second")
(cd "$first" && umask 022 && TZ=UTC faketime -f +9d ./scripts/release.sh >"$work/first.log")
(cd "$second" && umask 002 && TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 ./scripts/release.sh >"$work/second.log")

differ=0
# The checksums last: they differ whenever an artefact does.
for name in $(cd "$first/dist" && ls -- *.* | LC_ALL=C sort) SHA256SUMS; do
  file="$first/dist/$name"
  if cmp -s "$file" "$second/dist/$name"; then
    echo "  same: $name, $(stat -c %s "$file") bytes, sha256 $(sha256sum <"$file" | cut -d ' ' -f 1)"
    continue
  fi
  differ=1
  echo "differs: $name" >&2
  ensure_packages diffoscope-minimal
  diffoscope --text - "$file" "$second/dist/$name" 2>&1 | head -n 60 >&2 || true
done
[ "$differ" -eq 0 ] || exit 1

version=$(project_version "$root")
tar -xzf "$first/dist/marblechess-$version.tar.gz" -C "$work"
"$work/marblechess-$version/scripts/test.sh" >"$work/tarball-test.log" 2>&1 || {
  tail -n 40 "$work/tarball-test.log" >&2
  echo "the source tarball's own tests fail" >&2
  exit 1
}
echo "reproducible: two builds gave the same $(ls "$first/dist" | wc -l) files; the tarball's own tests:" \
  "$(grep -o '[0-9]*% tests passed.*' "$work/tarball-test.log")"
