#!/usr/bin/env bash
# The game itself under a private Xvfb, started from the repository root as
# the README says: the splash, G for level 1, and "Esci" to quit.
set -euo pipefail
game=$1
source_root=$2
source "$(dirname "$0")/xvfb_session.sh"
export XDG_DATA_HOME="$work/data"

cd "$source_root"
"$game" > "$work/out" 2> "$work/err" &
app=$!
wid=$(timeout 20 xdotool search --sync --classname zarvo | head -n 1)
xdotool windowfocus --sync "$wid" 2> /dev/null || true
eval "$(xdotool getwindowgeometry --shell "$wid")"
left=$X top=$((Y + 20))  # the client area is below the menu bar

fail=0
expect_pixel() {  # what, x, y, colour names...
  local what=$1 x=$2 y=$3 got=""
  shift 3
  for _ in $(seq 25); do
    import -window root "$work/shot.png"
    got=$(convert "$work/shot.png" -format "%[pixel:p{$((left + x)),$((top + y))}]" info:)
    for name in "$@"; do [ "$got" = "$name" ] && return 0; done
    sleep 0.2
  done
  echo "$what: pixel ($x, $y) is $got, expected $1"
  fail=1
}
expect_pixel "splash markers" 0 0 "srgb(0,255,0)" "lime"
expect_pixel "the prompt box" 795 585 "srgb(0,0,255)" "blue"
xdotool key g
expect_pixel "the paddle of level 1" 400 630 "srgb(77,0,0)"
expect_pixel "a brick of layout 1" 80 105 "srgb(255,255,0)" "yellow"
expect_pixel "the status line" 600 10 "srgb(0,0,0)" "black"
xdotool key alt+f
sleep 0.3
xdotool key e

status=0
timeout 10 tail --pid="$app" -f /dev/null || status=$?
wait "$app" || status=$?
app=
[ "$status" -eq 0 ] || { echo "exit status $status"; fail=1; }
if [ "$fail" -ne 0 ]; then
  echo "--- program output"; cat "$work/out" "$work/err"
fi
exit "$fail"
