#!/bin/sh
# screenreader.sh ZORIS DATA_DIR: the real program under Xvfb, read through AT-SPI as a screen
# reader reads it (screenreader.py walks the tree).
set -eu
for tool in xvfb-run xdotool openbox dbus-run-session; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
# Debian's own Python, which has the AT-SPI bindings.
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is missing"; exit 77; }
[ -e /usr/libexec/at-spi-bus-launcher ] || { echo "SKIP: at-spi2-core is missing"; exit 77; }
if [ -z "${ZORIS_UNDER_XVFB:-}" ]; then
  ZORIS_UNDER_XVFB=1 exec xvfb-run -a -s '-screen 0 1366x768x24' dbus-run-session -- sh "$0" "$@"
fi
here=$(realpath "$(dirname "$0")")
data=$(realpath "$2")
tmp=$(mktemp -d)
export HOME="$tmp/home" XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/run"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 LC_ALL=C.UTF-8
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$tmp/school"
chmod 700 "$XDG_RUNTIME_DIR"
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null; rm -rf "$tmp"' EXIT
zoris=$(realpath "$1")
cd "$tmp/school"
cp "$data/DEFAULT.lng" .
printf 'School 5\r\n' > school_name.dat
/usr/bin/python3 "$here/screenreader.py" "$zoris" DEFAULT.lng
