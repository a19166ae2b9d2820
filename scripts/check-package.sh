#!/bin/bash
# Builds the Debian package in build-package/ and checks it: lintian,
# desktop-file-validate and appstreamcli, its layout, then an install with
# apt, the menu entry's command started from an empty folder under a private
# X server, which must print only its usage and show the marble, and the
# package removed again (also when a check fails), leaving nothing behind.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd -P)
source "$root/scripts/deps.sh"
ensure_packages "${build_packages[@]}" "${test_packages[@]}" "${package_packages[@]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
build="$root/build-package"
build_project "$root" "$build" -DCMAKE_INSTALL_PREFIX=/usr -DBUILD_TESTING=OFF
build_project "$root" "$root/build" -DBUILD_TESTING=ON
(cd "$build" && cpack -G DEB >cpack.log)
version=$(project_version "$root")
deb="$build/marblechess_${version}_$(dpkg --print-architecture).deb"

lintian --fail-on=error,warning "$deb"
desktop-file-validate "$root"/packaging/*.desktop
appstreamcli validate --no-net "$root"/packaging/*.metainfo.xml

listing=$(dpkg-deb -c "$deb")
for file in bin/marblechess share/marblechess/marmor.bmp share/applications/org.example.marblechess.desktop \
  share/metainfo/org.example.marblechess.metainfo.xml share/man/man1/marblechess.1.gz \
  share/doc/marblechess/copyright share/doc/marblechess/changelog.gz \
  share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/marblechess.png; do
  grep -q " \./usr/$file\$" <<<"$listing" || { echo "package lacks /usr/$file" >&2; exit 1; }
done
if grep '^d' <<<"$listing" | grep -v '^drwxr-xr-x root/root'; then
  echo "directories above are not 0755 root/root" >&2
  exit 1
fi
files=$(awk '$1 !~ /^d/ {print substr($6, 2)}' <<<"$listing")

# What lies where a package may write, less the package manager's own
# records: the same before the install and after the purge. Listed through
# sudo as a user, since some of those folders are root's alone.
system_files() {
  local listed
  if ! listed=$($sudo find /etc /usr /var/lib /opt -xdev \( -path /var/lib/dpkg -o -path /var/lib/apt \) \
    -prune -o -print); then
    echo "check-package.sh: cannot list all of /etc, /usr, /var/lib and /opt (see above)" >&2
    return 1
  fi
  LC_ALL=C sort <<<"$listed"
}
work=$(mktemp -d)
lists=$(mktemp -d)
trap 'rm -rf "$lists"' EXIT
system_files >"$lists/before"
removePackage() {
  $sudo apt-get remove -y -qq --purge marblechess >/dev/null || true
  rm -rf "$work" "$lists"
}
trap removePackage EXIT
$sudo apt-get install -y -qq "$deb" >/dev/null
command=$(sed -n 's/^Exec=//p' /usr/share/applications/org.example.marblechess.desktop)
mkdir "$work/empty"
"$root/tools/xvfb-run.sh" "$root/build/tools/screenshot" --program "$(command -v "$command")" \
  --dir "$work/empty" --out "$work/first.png" --quit >"$work/output"
if grep -v -e '^wrote ' -e '^viewer ended with status 0$' -e '^Use x/y/z' -e '^Move mouse' "$work/output"; then
  echo "the installed viewer printed the lines above" >&2
  exit 1
fi
# At most 40 pixels more than a level away from the baseline, as in the tests.
differing=$(compare -metric AE -fuzz 0.5% "$work/first.png" "$root/tests/baseline/start-marble.png" \
  null: 2>&1 || true)
if ! awk -v d="$differing" 'BEGIN { exit !(d ~ /^[0-9.e+]+$/ && d + 0 <= 40) }'; then
  echo "the installed viewer's first frame is not the marble board: $differing pixels differ" >&2
  exit 1
fi

$sudo apt-get remove -y -qq --purge marblechess >/dev/null
rm -rf "$work"
trap 'rm -rf "$lists"' EXIT
if dpkg-query -W marblechess >/dev/null 2>&1; then echo "marblechess is still installed" >&2; exit 1; fi
for file in $files; do
  [ ! -e "$file" ] || { echo "$file is left after removal" >&2; exit 1; }
done
system_files >"$lists/after"
if ! diff "$lists/before" "$lists/after" >"$lists/diff"; then
  sed -n 's/^> /left after removal: /p; s/^< /gone after removal: /p' "$lists/diff" >&2
  exit 1
fi
echo "package: $(basename "$deb") passes lintian and the validators, installs, shows the marble from" \
  "an empty folder, and leaves nothing when removed"
