#!/bin/sh
# nodisplay.sh ZORIS VERSION: --help and --version answer with no display and no platform set.
set -eu
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
help=$("$1" --help) || { echo "FAIL: --help exited $?"; exit 1; }
echo "$help" | grep -q -- '--pdf <OUT.pdf>' || { echo "FAIL: help reads: $help"; exit 1; }
version=$("$1" --version) || { echo "FAIL: --version exited $?"; exit 1; }
[ "$(echo "$version" | head -n 1)" = "zoris $2" ] || { echo "FAIL: version reads: $version"; exit 1; }
