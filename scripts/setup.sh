# Shared by scripts/run and scripts/test: install what the build needs, then configure and build.
# Sourced, not run. Every step names itself when it fails.

set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${VEXIL_BUILD_DIR:-$ROOT/build}"

PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev libglu1-mesa-dev libegl-dev
  libgl1-mesa-dri libegl-mesa0 libcurl4-openssl-dev
  # Qt's own texts (Yes, No, the colour chooser) in Russian
  qt6-translations-l10n
  googletest libgtest-dev libbenchmark-dev python3
  xvfb xauth xdotool imagemagick fonts-liberation2 openbox x11-xkb-utils x11-utils
  # the fuzzers (configured with VEXIL_FUZZ=ON, see README.md)
  clang-14 libclang-rt-14-dev
  # checking what `cmake --install` puts on the desktop, and opening a saved game through it;
  # xdg-open outside a desktop environment needs libfile-mimeinfo-perl to know a file's type
  desktop-file-utils appstream libxml2-utils shared-mime-info xdg-utils libfile-mimeinfo-perl
  # the Debian package: cpack's dependencies (dpkg-shlibdeps) and the check of the package
  dpkg-dev lintian
)

step() {
  CURRENT_STEP="$1"
  echo "==> $1"
}

on_error() {
  echo "FAILED: ${CURRENT_STEP:-setup}" >&2
}
trap on_error ERR

install_packages() {
  step "Checking Debian packages"
  local missing=()
  for pkg in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return
  fi
  step "Installing ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Configures build/ and builds the targets named (the game alone: vexil_cube), or everything.
configure_and_build() {
  step "Configuring in $BUILD_DIR"
  mkdir -p "$BUILD_DIR"
  cmake -S "$ROOT" -B "$BUILD_DIR" -DVEXIL_WERROR=ON >"$BUILD_DIR/configure.log" 2>&1 ||
    { cat "$BUILD_DIR/configure.log" >&2; false; }
  if [ $# -gt 0 ]; then
    step "Building $*"
    cmake --build "$BUILD_DIR" -j"$(nproc)" --target "$@"
  else
    step "Building everything"
    cmake --build "$BUILD_DIR" -j"$(nproc)"
  fi
}
