#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the package and the demo use, and the
# Japanese locale the Japanese tests run in.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev clang-format
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  qt6-translations-l10n libgl-dev
  fonts-dejavu-core fonts-liberation2 fonts-noto-cjk fontconfig adwaita-icon-theme
  xvfb xauth shared-mime-info desktop-file-utils libx11-dev
  locales tzdata python3 python3-numpy ccache
  dpkg-dev file
  libmosquitto-dev mosquitto mosquitto-clients openssl libsystemd-dev
  libnetcdf-dev libhdf5-dev zlib1g-dev python3-netcdf4 python3-xarray
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The Japanese interface tests run with LANG=ja_JP.UTF-8; a minimal system has no locales.
if ! locale -a 2>/dev/null | grep -qix 'ja_JP.utf8'; then
  $SUDO sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen
fi
