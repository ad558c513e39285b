#!/bin/bash
# Installs the Debian 12 packages the build, the tests and the program need, and those named as
# arguments, if any is missing.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-base-private-dev qt6-qpa-plugins qt6-charts-dev qt6-svg-dev libqt6opengl6-dev libcups2-dev
  qt6-translations-l10n
  fonts-liberation fonts-dejavu-core
  poppler-utils
  libbenchmark-dev
  clang libclang-rt-14-dev
  cups cups-bsd printer-driver-cups-pdf
  xvfb xauth openbox imagemagick xdotool at-spi2-core python3-pyatspi dbus
  dpkg-dev desktop-file-utils appstream lintian
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
