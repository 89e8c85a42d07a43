#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Does nothing when everything is already there; uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libqcustomplot-dev qt6-svg-dev
  libgtest-dev libgmock-dev libbenchmark-dev libboost-dev
  clang libclang-rt-14-dev
  xvfb xauth x11-apps imagemagick gcovr poppler-utils
  # The screen-reader test: D-Bus, the AT-SPI bus and registry, a reader, keys.
  dbus at-spi2-core python3-pyatspi xdotool
  fonts-dejavu-core fonts-urw-base35
  locales
  # The Windows check: MinGW-w64, GoogleTest's source, Wine.
  g++-mingw-w64-x86-64-posix googletest wine64
  # The Debian package: dependencies, checks, manual pages.
  dpkg-dev file desktop-file-utils lintian man-db
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
