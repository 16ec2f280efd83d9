#!/usr/bin/env bash
# The game itself under a private Xvfb, started from the repository root as
# the README says: the splash, a letter that only looks like G, G for level 1,
# the left arrow, the sounds of the paddle and of a brick, N for the level
# picture, and "Esci" to quit.
#
# The ball's start and path are fixed: it leaves (50, 250) left and down,
# turns at the left wall and comes down at x = 304 about 2.7 s after G. Left
# held for 0.4 s puts the paddle under it; the ball then goes straight up
# into the second row's brick at x = 280.
set -euo pipefail
game=$1
source_root=$2
sound_probe=$3
source "$(dirname "$0")/xvfb_session.sh"
export XDG_DATA_HOME="$work/data"
# What the game plays is written to a file: 16-bit stereo at 44100 Hz.
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/played.raw"

# The columns of row y where the paddle's dark red middle is, as "first last".
paddle_middle() {
  import -window root "$work/shot.png"
  convert "$work/shot.png" -crop "800x1+$left+$((top + $1))" +repage txt:- |
    awk -F'[,:]' '/#4D0000/ { if (first == "") first = $1; last = $1 }
                  END { print first, last }'
}

cd "$source_root"
start_game "$game"
left=$X top=$((Y + 20))  # the client area is below the menu bar

expect_pixel "splash markers" 0 0 "srgb(0,255,0)" "lime"
expect_pixel "the prompt box" 795 585 "srgb(0,0,255)" "blue"
# The prompt blinks: its text turns red and white by turns every half second.
seen_red=0 seen_white=0
for _ in $(seq 30); do
  import -window root "$work/shot.png"
  counts=$(convert "$work/shot.png" -crop "320x20+$((left + 480))+$((top + 570))" +repage txt:- |
             awk '/#FF0000/ { r++ } /#FFFFFF/ { w++ } END { print r + 0, w + 0 }')
  read -r red white <<< "$counts"
  [ "$red" -gt 20 ] && [ "$white" -eq 0 ] && seen_red=1
  [ "$white" -gt 20 ] && [ "$red" -eq 0 ] && seen_white=1
  [ "$seen_red" -eq 1 ] && [ "$seen_white" -eq 1 ] && break
  sleep 0.15
done
[ "$seen_red" -eq 1 ] && [ "$seen_white" -eq 1 ] ||
  { echo "the prompt did not blink (red seen $seen_red, white seen $seen_white)"; fail=1; }

# A letter beyond Latin-1 whose low byte is that of G starts nothing.
xdotool type 'ч'
sleep 0.5
[ "$(pixel 400 630)" != "srgb(77,0,0)" ] || { echo "U+0447 started a game"; fail=1; }

xdotool key g
expect_pixel "the paddle of level 1" 400 630 "srgb(77,0,0)"
expect_pixel "a brick of layout 1" 80 105 "srgb(255,255,0)" "yellow"
expect_pixel "the status line" 600 10 "srgb(0,0,0)" "black"

# The paddle starts at x = 350: its dark middle, with the ends of the two
# gradients beside it, is at 382..416. Held Left moves it 4 pixels a frame.
read -r first last < <(paddle_middle 630)
[ "$first" = 382 ] && [ "$last" = 416 ] || { echo "paddle middle at $first..$last"; fail=1; }
xdotool keydown Left
sleep 0.4
xdotool keyup Left
sleep 0.2
read -r first last < <(paddle_middle 630)
moved=$((382 - ${first:-382}))
if [ "$moved" -le 0 ] || [ $((moved % 4)) -ne 0 ] || [ $((last - first)) -ne 34 ]; then
  echo "after Left the paddle middle is at ${first:-nowhere}..${last:-}"; fail=1
fi

# Both sounds, once the ball has met the paddle and then a brick.
paddle_sound="$source_root/images_games/ball.wav"
brick_sound="$source_root/resources/brick.wav"
heard="" paddle_hits=0 brick_hits=0
for _ in $(seq 60); do
  # The audio device opens with the first sound.
  [ -s "$work/played.raw" ] || { sleep 0.25; continue; }
  heard=$("$sound_probe" "$work/played.raw" "$paddle_sound" "$brick_sound" | tr '\n' ' ')
  read -r paddle_hits brick_hits <<< "$heard"
  [ "$paddle_hits" -ge 1 ] && [ "$brick_hits" -ge 1 ] && break
  sleep 0.25
done
echo "sounds heard (paddle, brick): $heard"
[ "$paddle_hits" -ge 1 ] && [ "$brick_hits" -ge 1 ] || fail=1
# N counts the level as cleared and shows the level picture at once. A key
# that comes while a lost ball's picture is shown does nothing: N again.
shown=""
for _ in $(seq 10); do
  xdotool key n
  sleep 0.2
  shown=$(pixel 250 200)
  [ "$shown" = "srgb(6,26,30)" ] && break
done
[ "$shown" = "srgb(6,26,30)" ] || { echo "N: pixel (250, 200) is $shown, not the level picture"; fail=1; }

xdotool key alt+f
sleep 0.3
xdotool key e

expect_exit_zero
if [ "$fail" -ne 0 ]; then
  echo "--- program output"; cat "$work/out" "$work/err"
fi
exit "$fail"
