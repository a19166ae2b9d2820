# Sourced by the other scripts: installs the Debian packages they need,
# touching apt only when something is missing.

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
  $sudo apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

# What building and running the viewer takes.
build_packages=(cmake make g++ freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri)
# What the tests add: GoogleTest, a private X server, real input, Xlib for
# reading frames, an image reader and writer for the baseline frames.
test_packages=(libgtest-dev xvfb xdotool x11-utils libx11-dev libstb-dev)
# What the Windows cross build takes: the MinGW-w64 compilers (the posix
# thread model, which the toolchain file names), dpkg-source to unpack
# freeglut's source, zip and unzip; and what checking it under Wine adds.
windows_packages=(cmake make mingw-w64 g++-mingw-w64-x86-64-posix dpkg-dev zip unzip)
wine_packages=(wine64 xvfb xdotool)
# What making and checking the Debian package adds.
package_packages=(dpkg-dev file lintian desktop-file-utils appstream imagemagick)

# Configures and builds the project in ROOT into the folder BUILD, quietly
# unless something fails: build_project ROOT BUILD [cmake options].
build_project() {
  local root=$1 build=$2
  shift 2
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
