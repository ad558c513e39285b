#!/bin/sh
# package.sh BUILD_DIR VERSION: cpack makes zoris_VERSION_amd64.deb without a warning, holding the
# program built with Debian's hardening, the catalogue, the desktop entry, its metainfo, the icons,
# the file type, the manual page, the copyright and the changelog, and depending on the libraries
# the program links. Where lintian is installed it must find neither an error nor a warning. Skipped
# (77) without Debian's packaging tools.
set -eu
command -v dpkg-deb >/dev/null && command -v dpkg-shlibdeps >/dev/null || exit 77
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
cpack --config "$1/CPackConfig.cmake" -B "$tmp" >"$tmp/log" 2>&1 || { cat "$tmp/log"; exit 1; }
! grep -i -B2 -A4 warning "$tmp/log" || fail "cpack warns"
deb="$tmp/zoris_$2_amd64.deb"
[ -f "$deb" ] || { ls "$tmp"; fail "no $deb"; }
[ "$(dpkg-deb -f "$deb" Version)" = "$2" ] || fail "Version reads $(dpkg-deb -f "$deb" Version)"
dpkg-deb -c "$deb" | awk '{print $6}' > "$tmp/files"
for f in ./usr/bin/zoris ./usr/share/zoris/DEFAULT.lng ./usr/share/zoris/DEFAULT.chk ./usr/share/applications/ua.zoris.Zoris.desktop \
         ./usr/share/metainfo/ua.zoris.Zoris.metainfo.xml ./usr/share/mime/packages/zoris.xml \
         ./usr/share/icons/hicolor/48x48/apps/zoris.png ./usr/share/icons/hicolor/256x256/apps/zoris.png \
         ./usr/share/icons/hicolor/48x48/mimetypes/application-x-zoris-data.png \
         ./usr/share/icons/hicolor/256x256/mimetypes/application-x-zoris-data.png \
         ./usr/share/man/man1/zoris.1.gz ./usr/share/doc/zoris/copyright ./usr/share/doc/zoris/changelog.Debian.gz; do
    grep -qx -- "$f" "$tmp/files" || { cat "$tmp/files"; fail "$f not in the package"; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6gui6 libqt6svg6 libcups2 fonts-liberation; do
    echo "$depends" | grep -q "$d" || fail "Depends lacks $d: $depends"
done

dpkg-deb -x "$deb" "$tmp/root"
# Full RELRO, BIND_NOW, the stack protector and _FORTIFY_SOURCE's checked calls.
program="$tmp/root/usr/bin/zoris"
readelf -lW "$program" | grep -q GNU_RELRO || fail "no RELRO"
readelf -dW "$program" | grep -Eq 'FLAGS.*(BIND_NOW|NOW)' || fail "no BIND_NOW"
readelf --dyn-syms -W "$program" | grep -q __stack_chk_fail || fail "no stack protector"
readelf --dyn-syms -W "$program" | grep -Eq '__[a-z]+_chk@' || fail "no _FORTIFY_SOURCE"

# The manual page names every option that --help lists.
zcat "$tmp/root/usr/share/man/man1/zoris.1.gz" | sed 's/\\-/-/g' > "$tmp/page"
for option in $(QT_QPA_PLATFORM=offscreen "$program" --help | grep -o -- '--[a-z-]*' | sort -u); do
    grep -q -- "$option\\b" "$tmp/page" || fail "the manual page lacks $option"
done

if command -v lintian >/dev/null; then
    lintian --fail-on error,warning --display-info "$deb" || fail "lintian"
fi
