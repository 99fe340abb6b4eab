#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the demo use.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  qt6-translations-l10n libgl-dev
  fonts-liberation2 fonts-noto-cjk fontconfig adwaita-icon-theme
  xvfb xauth shared-mime-info desktop-file-utils libx11-dev
  locales tzdata python3 python3-numpy ccache
  libmosquitto-dev mosquitto mosquitto-clients
  libnetcdf-dev python3-netcdf4 python3-xarray
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
