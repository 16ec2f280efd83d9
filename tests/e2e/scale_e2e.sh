#!/usr/bin/env bash
# The game on a desktop of twice the usual density (Xft.dpi 192 in the X
# server's resources): its window twice as wide and high, every pixel of the
# splash a 2 x 2 block on the screen, and the File menu opened and its Esci
# chosen by clicks at the doubled places.
set -euo pipefail
game=$1
source_root=$2
# Room for the doubled window; the server keeps its resources when the last
# client leaves, as a desktop's server does.
xvfb_screen=2048x1536x24
xvfb_options=-noreset
source "$(dirname "$0")/xvfb_session.sh"
export XDG_DATA_HOME="$work/data" SDL_AUDIODRIVER=dummy

echo "Xft.dpi: 192" | xrdb -nocpp -merge
[ "$(xrdb -query | awk '$1 == "Xft.dpi:" { print $2 }')" = 192 ] ||
  { echo "the server did not take Xft.dpi"; exit 1; }

cd "$source_root"
start_game "$game"
# 800 x 640 of client area under a menu bar of 20, all doubled.
[ "$WIDTH" = 1600 ] && [ "$HEIGHT" = 1320 ] ||
  { echo "the game window is ${WIDTH}x$HEIGHT, expected 1600x1320"; fail=1; }
left=$X top=$((Y + 40))  # the client area is below the doubled menu bar

expect_pixel "splash markers" 0 0 "srgb(0,255,0)" "lime"
expect_pixel "the prompt box" $((2 * 795)) $((2 * 585)) "srgb(0,0,255)" "blue"

# Every 2 x 2 block is one colour: one pixel of each block, spread back
# over the block, gives the same picture again.
import -window root "$work/shot.png"
convert "$work/shot.png" -crop "1600x1280+$left+$top" +repage "$work/client.png"
convert "$work/client.png" -sample 50% "$work/half.png"
convert "$work/half.png" -sample 200% "$work/again.png"
odd=$(compare -metric AE "$work/client.png" "$work/again.png" null: 2>&1 || true)
[ "$odd" = 0 ] || { echo "pixels outside a 2 x 2 block of one colour: $odd"; fail=1; }
# And the blocks are the splash's own pixels: the picture below the
# copyright band and above the prompt, pixel for pixel.
convert "$work/half.png" -crop 800x420+0+140 +repage "$work/shown.png"
convert images_games/logo.bmp -crop 800x420+0+140 +repage "$work/splash.png"
differ=$(compare -metric AE "$work/shown.png" "$work/splash.png" null: 2>&1 || true)
[ "$differ" = 0 ] || { echo "splash pixels that differ from the picture: $differ"; fail=1; }

# The doubled "File" opens its drop-down, a window of its own shown doubled
# under the bar; the doubled "Esci" in it ends the game.
left=$X top=$Y
navy=("srgb(0,0,128)" "navy")
silver=("srgb(192,192,192)" "silver")
expect_pixel "the bar before the click" 4 4 "${silver[@]}"
xdotool mousemove --window "$wid" 30 20 click 1
expect_pixel "File lit by the click" 4 4 "${navy[@]}"
expect_pixel "the drop-down over the splash" 140 60 "${silver[@]}"
dropdown=$(xdotool search --onlyvisible --classname zarvo | grep -vx "$wid" | head -n 1 || true)
if [ -z "$dropdown" ]; then
  echo "no drop-down window"; fail=1
else
  # Under "File", at the top of the client area: the doubled bar's height down.
  eval "$(xdotool getwindowgeometry --shell "$dropdown")"
  [ "$X" = "$left" ] && [ "$Y" = $((top + 40)) ] &&
    [ $((WIDTH % 2)) -eq 0 ] && [ $((HEIGHT % 2)) -eq 0 ] ||
    { echo "drop-down at $X,$Y ${WIDTH}x$HEIGHT"; fail=1; }
fi
xdotool mousemove 0 0 mousemove --window "$wid" 40 64 click 1

expect_exit_zero
if [ "$fail" -ne 0 ]; then
  echo "--- program output"; cat "$work/out" "$work/err"
fi
exit "$fail"
