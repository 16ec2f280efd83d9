#!/usr/bin/env bash
# A form on the SDL host under a private Xvfb: keys typed with xdotool reach
# its reactions, and its painting is on the screen where it belongs.
set -euo pipefail
probe=$1
source "$(dirname "$0")/xvfb_session.sh"

"$probe" > "$work/out" 2> "$work/err" &
app=$!
wid=$(timeout 20 xdotool search --sync --classname form_probe | head -n 1)
for _ in $(seq 100); do grep -q painted "$work/out" && break; sleep 0.05; done

xdotool windowfocus --sync "$wid" 2> /dev/null || true
xdotool key --delay 30 a Left
for _ in $(seq 100); do grep -q 'keydown 37' "$work/out" && break; sleep 0.05; done

import -window "$wid" "$work/shot.png"
pixel() { convert "$work/shot.png" -format "%[pixel:p{$1,$2}]" info:; }
# The window's content is its client area: no menu bar.
fail=0
check() {
  local got
  got=$(pixel "$1" "$2")
  case "$got" in
    "$3"|"$4") ;;
    *) echo "pixel ($1, $2) is $got, expected $3"; fail=1 ;;
  esac
}
check 25 35 "srgb(255,0,0)" "red"
check 69 59 "srgb(255,0,0)" "red"
check 70 60 "srgb(0,255,0)" "lime"
check 5 5 "srgb(0,255,0)" "lime"
check 200 150 "srgb(0,255,0)" "lime"

for expected in "keydown 65" "char 97" "keydown 37"; do
  grep -qx "$expected" "$work/out" || { echo "missing: $expected"; fail=1; }
done
if grep -q "char 37" "$work/out"; then echo "an arrow made a character"; fail=1; fi

xdotool key q
expect_exit_zero
grep -qx "exit 0" "$work/out" || { echo "the program did not end by its loop"; fail=1; }
if [ "$fail" -ne 0 ]; then
  echo "--- program output"; cat "$work/out"; cat "$work/err"
fi
exit "$fail"
