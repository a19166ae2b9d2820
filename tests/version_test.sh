#!/bin/bash
# The version a user meets is the project's own everywhere: in --version, the
# manual page, the newest AppStream release and the newest changelog entry.
# version_test.sh PROGRAM VERSION PACKAGING_DIR
set -u
program=$1 version=$2 packaging=$3
status=0
expect() {  # expect WHERE FOUND
  if [ "$2" != "$version" ]; then
    echo "$1 says ${2:-nothing}, the project $version" >&2
    status=1
  fi
}
expect "--version" "$("$program" --version | sed -n '1s/^marblechess //p')"
expect "the manual page" "$(sed -n '1s/^\.TH .* "marblechess \([^"]*\)".*/\1/p' "$packaging/marblechess.1")"
expect "the metainfo" "$(grep -m 1 -o '<release version="[^"]*"' "$packaging"/*.metainfo.xml | cut -d '"' -f 2)"
expect "the changelog" "$(sed -n '1s/^marblechess (\([^)]*\)).*/\1/p' "$packaging/changelog")"
exit $status
