#!/usr/bin/env bash
# A form with a menu bar and a text box on the SDL host under a private Xvfb:
# the menu opened with the mouse and with Alt and a letter, items chosen, a
# name typed, and the screen showing each step where it belongs.
set -euo pipefail
probe=$1
source "$(dirname "$0")/xvfb_session.sh"

"$probe" > "$work/out" 2> "$work/err" &
app=$!
wid=$(timeout 20 xdotool search --sync --classname menu_probe | head -n 1)
for _ in $(seq 100); do grep -q painted "$work/out" && break; sleep 0.05; done
xdotool windowfocus --sync "$wid" 2> /dev/null || true
# Where the window's content (menu bar, then client area) is on the screen.
eval "$(xdotool getwindowgeometry --shell "$wid")"
left=$X top=$Y

# Waits up to five seconds for the program to have written a line n times.
expect_line() {
  local line=$1 count=${2:-1}
  for _ in $(seq 50); do
    [ "$(grep -cx "$line" "$work/out" || true)" -ge "$count" ] && return 0
    sleep 0.1
  done
  echo "missing: $line (x$count)"
  fail=1
}
silver=("srgb(192,192,192)" "silver")
navy=("srgb(0,0,128)" "navy")
lime=("srgb(0,255,0)" "lime")
white=("srgb(255,255,255)" "white")

# At rest: the bar in the menu colour above the green client area.
expect_pixel "bar" 200 10 "${silver[@]}"
expect_pixel "client" 80 65 "${lime[@]}"
expect_pixel "empty box" 230 132 "${white[@]}"

# The mouse: the title lights up and its drop-down covers the client area.
xdotool mousemove --window "$wid" 15 10 click 1
expect_pixel "title clicked" 2 2 "${navy[@]}"
expect_pixel "drop-down" 80 65 "${silver[@]}"
xdotool mousemove --window "$wid" 20 32 click 1
expect_line "command nuovo"
expect_pixel "closed drop-down" 80 65 "${lime[@]}"
expect_pixel "title after the choice" 2 2 "${silver[@]}"

# The keyboard: Alt+F opens the same menu, the item's letter chooses it.
xdotool key alt+f
expect_pixel "title by Alt+F" 2 2 "${navy[@]}"
expect_pixel "drop-down by Alt+F" 80 65 "${silver[@]}"
xdotool key n
expect_line "command nuovo" 2
expect_pixel "closed by its letter" 80 65 "${lime[@]}"

# A name typed into the box shows in capitals.
xdotool mousemove --window "$wid" 230 132 click 1
sleep 0.2
xdotool type --delay 30 "mario"
sleep 0.3
import -window root "$work/shot.png"
darkest=$(convert "$work/shot.png" -crop "60x14+$((left + 156))+$((top + 125))" -format "%[fx:minima.intensity]" info:)
awk -v d="$darkest" 'BEGIN { exit !(d < 0.2) }' || { echo "no text in the box ($darkest)"; fail=1; }

# A checkable item through Alt+O, then Esci through Alt+F and E.
xdotool key alt+o
sleep 0.3
xdotool key a
expect_line "checked 1"
xdotool key alt+f
sleep 0.3
xdotool key e
expect_line "command esci"
expect_line "text MARIO"

expect_exit_zero
grep -qx "exit 0" "$work/out" || { echo "the program did not end by its loop"; fail=1; }
if [ "$fail" -ne 0 ]; then
  echo "--- program output"; cat "$work/out"; cat "$work/err"
fi
exit "$fail"
