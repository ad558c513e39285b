#!/bin/sh
# workingfolder.sh BUILD_DIR: the program installed to a prefix of its own and started with --pdf,
# without a display, from a folder without a catalogue, works in the user's data folder, seeded
# with the installed catalogue; a folder holding a catalogue is used as it is; with no catalogue
# anywhere the run fails with the program's warning.
set -eu
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export HOME="$tmp/home" XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config"
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
zoris="$tmp/prefix/bin/zoris"

mkdir "$tmp/empty"
cd "$tmp/empty"
"$zoris" --pdf report.pdf || fail "first start from an empty folder"
cmp "$tmp/prefix/share/zoris/DEFAULT.lng" "$XDG_DATA_HOME/zoris/DEFAULT.lng" || fail "catalogue not copied"
cmp "$tmp/prefix/share/zoris/DEFAULT.chk" "$XDG_DATA_HOME/zoris/DEFAULT.chk" || fail "rules file not copied"
[ "$(ls)" = report.pdf ] || fail "the empty folder holds $(ls) instead of report.pdf alone"

# The user's folder is the working folder: its school name is read, its catalogue kept.
printf 'Data folder school\r\n' > "$XDG_DATA_HOME/zoris/school_name.dat"
printf '\r\n' >> "$XDG_DATA_HOME/zoris/DEFAULT.lng"
"$zoris" --pdf again.pdf || fail "second start"
pdftotext again.pdf - | grep -q 'Data folder school' || fail "school name of the data folder not used"
tail -c 4 "$XDG_DATA_HOME/zoris/DEFAULT.lng" | od -c | grep -q '\\r  \\n  \\r  \\n' || fail "user's catalogue overwritten"

mkdir "$tmp/own"
cp "$tmp/prefix/share/zoris/DEFAULT.lng" "$tmp/own/"
printf 'Own folder school\r\n' > "$tmp/own/school_name.dat"
cd "$tmp/own"
"$zoris" --pdf own.pdf || fail "start in a folder with a catalogue"
pdftotext own.pdf - | grep -q 'Own folder school' || fail "school name of the folder not used"

# The build's own program finds no installed catalogue beside it.
export XDG_DATA_HOME="$tmp/nothing"
cd "$tmp/empty"
if "$build/src/zoris" --pdf none.pdf 2>"$tmp/err"; then fail "ran without a catalogue"; fi
grep -q 'Файл конфігурації відсутній' "$tmp/err" || fail "warning missing: $(cat "$tmp/err")"
