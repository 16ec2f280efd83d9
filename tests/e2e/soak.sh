#!/usr/bin/env bash
# Long run, by hand (not part of the test suite): the game under a private
# Xvfb plays one game after another for a while (five minutes unless told),
# each lost without a key, its name typed and confirmed, then back to the
# intro, G again. Every ten seconds it notes the game's resident memory and
# open descriptors, and at the end it fails if either grew after the first
# minute: memory by more than 2 MiB, descriptors at all.
#
#   tests/e2e/soak.sh build/game/zarvo . [seconds]
set -euo pipefail
game=$1
source_root=$2
seconds=${3:-300}
source "$(dirname "$0")/xvfb_session.sh"
export XDG_DATA_HOME="$work/data"
mkdir -p "$XDG_DATA_HOME"
cd "$source_root"

"$game" > "$work/out" 2> "$work/err" &
app=$!
main_window=$(timeout 20 xdotool search --sync --classname zarvo | head -n 1)

rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$app/status"; }
descriptors() { ls "/proc/$app/fd" | wc -l; }

# The name box of the game that just ended, or nothing.
name_box() {
  local window
  for window in $(xdotool search --classname zarvo); do
    if [ "$(xdotool getwindowname "$window" 2> /dev/null)" = Classifica ]; then
      echo "$window"
      return 0
    fi
  done
  return 0
}

games=0
play_one_game() {
  xdotool windowfocus --sync "$main_window" 2> /dev/null || true
  xdotool key g
  local box=""
  for _ in $(seq 120); do
    box=$(name_box)
    [ -n "$box" ] && break
    sleep 0.5
  done
  [ -n "$box" ] || { echo "no name box"; return 1; }
  sleep 0.3
  xdotool windowfocus --sync "$box" 2> /dev/null || true
  xdotool type --delay 30 SOAK
  xdotool key Return
  sleep 0.3
  xdotool windowfocus --sync "$main_window" 2> /dev/null || true
  xdotool key x  # any key after a game over: the intro again
  sleep 0.5
  games=$((games + 1))
}

start=$(date +%s)
next_sample=$start
baseline_rss="" baseline_fds=""
printf '%8s %6s %10s %12s\n' seconds games "rss KiB" descriptors
while [ $(($(date +%s) - start)) -lt "$seconds" ]; do
  kill -0 "$app" 2> /dev/null || { echo "the game ended by itself"; exit 1; }
  now=$(date +%s)
  if [ "$now" -ge "$next_sample" ]; then
    rss=$(rss_kib) fds=$(descriptors)
    printf '%8d %6d %10d %12d\n' $((now - start)) "$games" "$rss" "$fds"
    if [ -z "$baseline_rss" ] && [ $((now - start)) -ge 60 ]; then
      baseline_rss=$rss baseline_fds=$fds
    fi
    next_sample=$((now + 10))
  fi
  play_one_game
done
rss=$(rss_kib) fds=$(descriptors)
printf 'end: %d games, rss %d KiB, %d descriptors\n' "$games" "$rss" "$fds"
lines=$(wc -l < "$XDG_DATA_HOME/Zarvo/Score/Classifica.txt")
echo "the table holds $lines lines"

status=0
if [ -n "$baseline_rss" ]; then
  [ $((rss - baseline_rss)) -le 2048 ] ||
    { echo "memory grew by $((rss - baseline_rss)) KiB after the first minute"; status=1; }
  [ "$fds" -le "$baseline_fds" ] ||
    { echo "descriptors grew from $baseline_fds to $fds"; status=1; }
fi
[ "$lines" -eq 10 ] || [ "$games" -lt 10 ] || { echo "the table is not ten lines"; status=1; }
kill "$app"
wait "$app" || true
app=
exit "$status"
