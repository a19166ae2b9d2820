# Sourced by the other scripts: installs the Debian packages they need,
# touching apt only when something is missing.

# apt and the dpkg-source it runs see the real clock: under faketime, as the
# reproducibility check runs a build, dpkg-source cannot set the unpacked
# files' times and fails.
apt_get() {
  env -u LD_PRELOAD -u FAKETIME apt-get "$@"
}

# The packages that are not installed yet, of those named.
missing_packages() {
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
      echo "$package"
    fi
  done
}

ensure_packages() {
  local missing
  missing=$(missing_packages "$@")
  [ -z "$missing" ] && return 0
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
      echo "Installing needs root: run this as root, or install sudo. Missing:" $missing >&2
      return 1
    fi
    sudo="sudo"
  fi
  echo "Installing:" $missing
  $sudo env -u LD_PRELOAD -u FAKETIME apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive $sudo env -u LD_PRELOAD -u FAKETIME apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

# What building and running the viewer takes.
build_packages=(cmake make g++ freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri)
# What the tests add: GoogleTest, a private X server, real input, Xlib for
# reading frames, an image reader and writer for the baseline frames, and
# glxinfo for the renderer's limits.
test_packages=(libgtest-dev nlohmann-json3-dev xvfb xdotool x11-utils libx11-dev libstb-dev mesa-utils)
# What the Windows cross build takes: the MinGW-w64 compilers (the posix
# thread model, which the toolchain file names), dpkg-source to unpack
# freeglut's source, zip and unzip; and what checking it under Wine adds.
windows_packages=(cmake make mingw-w64 g++-mingw-w64-x86-64-posix dpkg-dev zip unzip)
wine_packages=(wine64 xvfb xdotool)
# What the browser build takes, and what checking it in the three browser
# engines adds: Chromium, Firefox and WebKitGTK (whose WebDriver brings its
# MiniBrowser), and Node.js to drive them.
web_packages=(cmake make emscripten python3 dpkg-dev)
browser_packages=(chromium firefox-esr webkit2gtk-driver nodejs xvfb)
# What making and checking the Debian package adds.
package_packages=(dpkg-dev file lintian desktop-file-utils appstream imagemagick)

# Node.js's packages that drive the browsers, as package-lock.json pins them,
# in ROOT/node_modules; npm ci runs again only when the lock has changed. A
# node that came without npm gets Debian's: install_node_modules ROOT.
install_node_modules() {
  local root=$1 stamp="$1/node_modules/.marblechess-lock"
  command -v npm >/dev/null || ensure_packages npm
  if ! cmp -s "$root/package-lock.json" "$stamp"; then
    echo "Installing the browser drivers from npm (package-lock.json)"
    (cd "$root" && npm ci --no-audit --no-fund --loglevel=error --cache "$root/build-npm-cache" >/dev/null) &&
      cp "$root/package-lock.json" "$stamp"
  fi
}

# Configures and builds the project in ROOT into the folder BUILD, quietly
# unless something fails: build_project ROOT BUILD [cmake options].
build_project() {
  local root=$1 build=$2
  shift 2
  # In CI a warning fails the build, elsewhere not, whatever the folder's
  # cache says; the project's own CMake knows the option.
  if grep -q MARBLECHESS_WERROR "$root/CMakeLists.txt" 2>/dev/null; then
    set -- "$@" -DMARBLECHESS_WERROR="$([ "${CI:-}" = true ] && echo ON || echo OFF)"
  fi
  mkdir -p "$build"
  local log="$build/build.log"
  if ! { cmake -S "$root" -B "$build" "$@" && cmake --build "$build" -j"$(nproc)"; } >"$log" 2>&1; then
    cat "$log" >&2
    echo "Build failed; the log is in $log" >&2
    return 1
  fi
}

# The project's version, from CMake's project() in ROOT: project_version ROOT.
project_version() {
  sed -n 's/^project(marblechess VERSION \([0-9.]*\).*/\1/p' "$1/CMakeLists.txt"
}

# The time every file a release holds is stamped with: SOURCE_DATE_EPOCH
# when it is set, else the last commit's time, else, in a tree without git
# such as the unpacked source tarball, the newest changelog entry's.
source_date_epoch() {
  local root=$1
  if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    echo "$SOURCE_DATE_EPOCH"
  elif [ "$(git -C "$root" rev-parse --show-toplevel 2>/dev/null)" = "$root" ]; then
    git -C "$root" log -1 --format=%ct
  else
    date -d "$(sed -n 's/^ -- .*>  //p' "$root/packaging/changelog" | head -n 1)" +%s
  fi
}

# Sets up, in the folder APT, an apt configuration whose deb-src entries are
# the twins of the machine's own deb entries, and reads their lists; its
# options are left in private_apt. The machine's configuration is untouched.
private_deb_src() {
  local apt=$1 part
  chmod 755 "$apt"
  mkdir -p "$apt/parts" "$apt/lists/partial"
  : >"$apt/sources.list"
  for part in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ ! -e "$part" ] || sed -n 's/^deb /deb-src /p' "$part" >>"$apt/sources.list"
  done
  for part in /etc/apt/sources.list.d/*.sources; do
    [ ! -e "$part" ] || sed 's/^Types:.*/Types: deb-src/' "$part" >"$apt/parts/$(basename "$part")"
  done
  private_apt=(-o "Dir::Etc::SourceList=$apt/sources.list" -o "Dir::Etc::SourceParts=$apt/parts"
    -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache")
  apt_get "${private_apt[@]}" update
}

# Unpacks the upstream tarball of Debian's source package PACKAGE into DEST,
# afresh every time, after checking it against the SHA-256 pinned for its
# name in PINS (a sha256sum list in the repository), so that nothing else of
# the source package, its .dsc included, needs to be served. The tarball is
# downloaded once, beside DEST. Says why on standard error and fails when it
# cannot: fetch_upstream_source PACKAGE DEST LOG PINS.
fetch_upstream_source() {
  local package=$1 dest=$2 log=$3 pins=$4 apt tarball
  tarball=$(ls "$(dirname "$dest")/${package}"_*.orig.tar.* 2>/dev/null | head -n 1)
  if [ -z "$tarball" ]; then
    apt=$(mktemp -d)
    mkdir -p "$apt/get"
    {
      private_deb_src "$apt" &&
        (cd "$apt/get" && apt_get "${private_apt[@]}" source --download-only "$package" || true)
    } >"$log" 2>&1
    tarball=$(ls "$apt/get/${package}"_*.orig.tar.* 2>/dev/null | head -n 1)
    if [ -z "$tarball" ]; then
      echo "cannot get the upstream source of $package from Debian (see $log)" >&2
      rm -rf "$apt"
      return 1
    fi
    mv "$tarball" "$(dirname "$dest")/" && rm -rf "$apt"
    tarball="$(dirname "$dest")/$(basename "$tarball")"
  fi
  unpack_pinned "$tarball" "$dest" "$pins"
}

# Unpacks TARBALL into DEST in place of what was there, when its SHA-256 is
# the one PINS gives its name; says why and fails otherwise:
# unpack_pinned TARBALL DEST PINS.
unpack_pinned() {
  local tarball=$1 dest=$2 pins=$3 name sum
  name=$(basename "$tarball")
  sum=$(awk -v name="$name" '$2 == name { print $1 }' "$pins")
  if [ -z "$sum" ]; then
    echo "$name is not pinned in $(basename "$pins"): add its SHA-256 once it is checked" >&2
    return 1
  fi
  if ! echo "$sum  $tarball" | sha256sum --check --status; then
    echo "$name does not match the SHA-256 pinned in $(basename "$pins")" >&2
    return 1
  fi
  rm -rf "$dest" "$dest.partial"
  mkdir -p "$dest.partial"
  if ! tar -xf "$tarball" -C "$dest.partial" --strip-components=1; then
    rm -rf "$dest.partial"
    return 1
  fi
  mv "$dest.partial" "$dest"
}
