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
