#!/bin/bash
# Builds the release of the checked-out commit into dist/: the source
# tarball, the Debian package, the Windows zip, the page for web browsers
# and SHA256SUMS for the four.
# Every build happens afresh in build-release/, and every time stamp is
# SOURCE_DATE_EPOCH (the last commit's time, or the changelog's without
# git), so the same commit gives the same bytes wherever it is built.
# Refuses a tree with uncommitted changes unless given --dirty. It neither
# tags nor pushes.
set -euo pipefail
# CPack writes the package's members with the modes the umask gives; Debian's
# own package builds fix it the same way.
umask 022
root=$(cd "$(dirname "$0")/.." && pwd -P)
source "$root/scripts/deps.sh"
in_git=no
[ "$(git -C "$root" rev-parse --show-toplevel 2>/dev/null)" = "$root" ] && in_git=yes
if [ "$in_git" = yes ] && [ "${1:-}" != "--dirty" ] && [ -n "$(git -C "$root" status --porcelain)" ]; then
  echo "release.sh: the tree has uncommitted changes, which the commit would not have; commit them or pass --dirty" >&2
  exit 1
fi
ensure_packages "${build_packages[@]}" "${package_packages[@]}" "${windows_packages[@]}" \
  "${web_packages[@]}"
export SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH=$(source_date_epoch "$root")
version=$(project_version "$root")
build="$root/build-release"
dist="$root/dist"
rm -rf "$build" "$dist"
mkdir -p "$build" "$dist"

# The source: the files git tracks (with --dirty, as they are now, and new
# ones it does not ignore), or without git every file but build output,
# under one top folder; sorted, owned by 0, one time stamp, and a gzip
# header without name or time.
source_files() {
  if [ "$in_git" = yes ]; then
    (cd "$root" && git ls-files --cached --others --exclude-standard | while IFS= read -r file; do
      [ ! -e "$file" ] || echo "$file"
    done)
  else
    (cd "$root" && find . -path ./.git -prune -o -path './build*' -prune -o -path ./dist -prune \
      -o -path ./node_modules -prune -o -type f -printf '%P\n')
  fi
}
source_files | LC_ALL=C sort |
  tar -C "$root" --no-recursion --verbatim-files-from -T - -cf - --format=gnu --owner=0 --group=0 \
    --numeric-owner --mtime="@$SOURCE_DATE_EPOCH" --mode='u=rwX,go=rX' \
    --transform="s,^,marblechess-$version/," |
  gzip -9n >"$dist/marblechess-$version.tar.gz"

# The Debian package, as the README builds it.
build_project "$root" "$build/deb" -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF
"$root/tests/version_test.sh" "$build/deb/marblechess" "$version" "$root/packaging"
(cd "$build/deb" && cpack -G DEB >cpack.log)
cp "$build/deb/marblechess_${version}_$(dpkg --print-architecture).deb" "$dist/"

"$root/scripts/build-windows.sh" "$build/windows" >/dev/null
cp "$build/windows/marblechess-$version-win64.zip" "$dist/"

"$root/scripts/build-web.sh" "$build/web" >/dev/null
cp "$build/web/marblechess-$version.html" "$dist/"

(cd "$dist" && sha256sum -- * >SHA256SUMS)
echo "release $version of $(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC') in $dist:"
(cd "$dist" && ls -l --time-style=+ -- * | awk '{print "  " $NF ", " $5 " bytes"}')
