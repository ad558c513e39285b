#!/bin/sh
# recoverykill.sh ZORIS DATA_DIR: values typed with real keys into the real program survive a
# SIGKILL: the next start offers them, "&Yes" brings them back, and "Записати" writes every one.
set -eu
for tool in xvfb-run xdotool openbox; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
if [ -z "${ZORIS_UNDER_XVFB:-}" ]; then
  ZORIS_UNDER_XVFB=1 exec xvfb-run -a -s '-screen 0 1366x768x24' sh "$0" "$@"
fi
zoris=$(realpath "$1")
data=$(realpath "$2")
tmp=$(mktemp -d)
export HOME="$tmp/home" XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config" QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
fail() { echo "FAIL: $*"; exit 1; }
mkdir -p "$HOME" "$tmp/school"
openbox >/dev/null 2>&1 &
wm=$!
pid=
trap 'kill $wm ${pid:-} 2>/dev/null; rm -rf "$tmp"' EXIT
cd "$tmp/school"
cp "$data/DEFAULT.lng" .
printf 'School 5\r\n' > school_name.dat

# Waits up to thirty seconds for a shell condition: other builds may share the machine.
within() {
  for _ in $(seq 300); do eval "$1" && return 0; sleep 0.1; done
  return 1
}
recovery() { ls "$XDG_DATA_HOME"/zoris/recovery/*.zrs 2>/dev/null; }

# Waits for a window of that title and makes it the active one.
activate() {
  found=$(timeout 30 xdotool search --sync --name "$1") || fail "no window \"$1\""
  win=$(echo "$found" | head -n 1)
  xdotool windowactivate --sync "$win" 2>/dev/null || true
  sleep 0.5
}
start() {
  "$zoris" >"$tmp/zoris.log" 2>&1 &
  pid=$!
  activate "$1"
}

start 'Формування'
within 'xdotool getwindowgeometry "$win" | grep -q "Geometry: 1366x"' || fail "window not maximised"
sleep 0.5
# The value cell of the first indicator in the maximised window; Enter moves down a row.
xdotool mousemove 1230 157 click 1
sleep 0.3
for value in 12 345 6,5; do
  xdotool type --delay 50 "$value"
  xdotool key Return
done
within '[ -n "$(recovery)" ] && grep -q "^ 6.5" $(recovery)' || fail "no recovery file with every value typed"
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true

start Confirm
xdotool key alt+y
sleep 0.5
xdotool key ctrl+s
activate 'Зберегти як'
xdotool key ctrl+a
xdotool type --delay 20 "$tmp/saved"
xdotool key Return
within '[ -f "$tmp/saved.zrs" ]' || fail "nothing saved"
for number in ' 1.20000000000000E+0001' ' 3.45000000000000E+0002' ' 6.50000000000000E+0000'; do
  grep -q "^$number" "$tmp/saved.zrs" || fail "saved file lacks $number: $(head -c 400 "$tmp/saved.zrs" 2>&1)"
done
# Saved, the recovery file is no longer needed.
within '[ -z "$(recovery)" ]' || fail "recovery file left after saving"
