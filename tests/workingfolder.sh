#!/bin/sh
# workingfolder.sh BUILD_DIR: the program installed to a prefix of its own and started with --pdf,
# without a display, from a folder without a catalogue, works in the user's data folder, seeded
# with the installed catalogue and refreshed when the installed one changes (the old copy kept
# beside it under its year, the rules file with it, data files untouched); a folder holding a catalogue is used as it is;
# with no catalogue anywhere the run fails with the program's warning.
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

# The user's folder is the working folder: its school name and data files are read. A copy that
# differs from the installed catalogue is replaced and kept as DEFAULT(<its year>).lng.
data="$XDG_DATA_HOME/zoris"
printf 'Data folder school\r\n' > "$data/school_name.dat"
printf '2026\r\nМоя школа\r\n' > "$data/school.zrs"
cp "$data/school.zrs" "$tmp/school.zrs"
printf '\r\n' >> "$data/DEFAULT.lng"
cp "$data/DEFAULT.lng" "$tmp/edited.lng"
"$zoris" --pdf again.pdf || fail "second start"
pdftotext again.pdf - | grep -q 'Data folder school' || fail "school name of the data folder not used"
cmp "$tmp/prefix/share/zoris/DEFAULT.lng" "$data/DEFAULT.lng" || fail "differing copy not replaced"
cmp "$tmp/edited.lng" "$data/DEFAULT(2026).lng" || fail "replaced copy not kept under its year"

# Rules the user edited stay while the catalogue stays; they go with a new year's catalogue.
printf '# my own rule\r\n' >> "$data/DEFAULT.chk"
cp "$data/DEFAULT.chk" "$tmp/my.chk"
"$zoris" --pdf rules.pdf || fail "start with edited rules"
cmp "$tmp/my.chk" "$data/DEFAULT.chk" || fail "edited rules replaced without a new catalogue"

# Next year's package: its catalogue is picked up; the kept name holds other bytes, so the
# replaced copy takes the next free one.
cp "$data/DEFAULT.lng" "$tmp/2026.lng"
sed '1s/^2026/2027/' "$tmp/2026.lng" > "$tmp/prefix/share/zoris/DEFAULT.lng"
"$zoris" --pdf next.pdf || fail "start after a new catalogue was installed"
cmp "$tmp/prefix/share/zoris/DEFAULT.lng" "$data/DEFAULT.lng" || fail "new year's catalogue not picked up"
cmp "$tmp/edited.lng" "$data/DEFAULT(2026).lng" || fail "a kept copy was overwritten"
cmp "$tmp/2026.lng" "$data/DEFAULT(2026)-2.lng" || fail "replaced copy not kept under a free name"
cmp "$tmp/prefix/share/zoris/DEFAULT.chk" "$data/DEFAULT.chk" || fail "rules did not follow the new catalogue"
cmp "$tmp/my.chk" "$data/DEFAULT(2026).chk" || fail "replaced rules not kept under their year"
cmp "$tmp/school.zrs" "$data/school.zrs" || fail "a data file was touched"
"$zoris" --pdf same.pdf || fail "start with the catalogue up to date"
[ "$(ls "$data" | grep -c '^DEFAULT.*\.lng$')" = 3 ] || fail "an unchanged catalogue was kept again: $(ls "$data")"
if "$zoris" --pdf old.pdf "$data/school.zrs" 2>"$tmp/err"; then fail "last year's data file taken"; fi
cp "$tmp/2026.lng" "$tmp/prefix/share/zoris/DEFAULT.lng"

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
