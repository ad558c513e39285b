#!/bin/sh
# package.sh BUILD_DIR VERSION: cpack makes zoris_VERSION_amd64.deb holding the program, the
# catalogue, the desktop entry, its metainfo, the icons and the file type, and depending on the
# libraries the program links. Skipped (77) without Debian's packaging tools.
set -eu
command -v dpkg-deb >/dev/null && command -v dpkg-shlibdeps >/dev/null || exit 77
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cpack --config "$1/CPackConfig.cmake" -B "$tmp" >"$tmp/log" 2>&1 || { cat "$tmp/log"; exit 1; }
deb="$tmp/zoris_$2_amd64.deb"
[ -f "$deb" ] || { echo "FAIL: no $deb"; ls "$tmp"; exit 1; }
dpkg-deb -c "$deb" | awk '{print $6}' > "$tmp/files"
for f in ./usr/bin/zoris ./usr/share/zoris/DEFAULT.lng ./usr/share/zoris/DEFAULT.chk ./usr/share/applications/ua.zoris.Zoris.desktop \
         ./usr/share/metainfo/ua.zoris.Zoris.metainfo.xml ./usr/share/mime/packages/zoris.xml \
         ./usr/share/icons/hicolor/48x48/apps/zoris.png ./usr/share/icons/hicolor/256x256/apps/zoris.png; do
    grep -qx -- "$f" "$tmp/files" || { echo "FAIL: $f not in the package"; cat "$tmp/files"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6gui6 libcups2 fonts-liberation; do
    echo "$depends" | grep -q "$d" || { echo "FAIL: Depends lacks $d: $depends"; exit 1; }
done
