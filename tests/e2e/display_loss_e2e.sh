#!/usr/bin/env bash
# The game outlives no display: its X server killed at the intro, ended in
# play, killed while the name box of a finished game is open, and a SIGTERM
# followed at once by the server's end (a logout). Each time the process must be gone
# within a second, having ended the ordinary way (status 0), and a result
# waiting in the name box must be in the table as closing the game window
# would store it: under the last confirmed name, none here.
#
# Without a key the paddle stays where it starts and the ball, whose path is
# fixed, falls past it: three lost balls end the game in about 15 s.
set -euo pipefail
game=$1
source_root=$2
source "$(dirname "$0")/xvfb_session.sh"
cd "$source_root"

# Starts the game on the current display with a data folder of its own and
# waits for its window.
start_game() {  # data folder
  mkdir -p "$1"
  XDG_DATA_HOME="$1" "$game" > "$work/out" 2> "$work/err" &
  app=$!
  timeout 20 xdotool search --sync --classname zarvo > /dev/null
}

# Plays a game to its end without touching a key and waits for the name box.
# (The titles are UTF-8 text, which xdotool's search by name does not read.)
play_until_the_name_box() {
  xdotool key g
  for _ in $(seq 120); do
    for window in $(xdotool search --classname zarvo); do
      [ "$(xdotool getwindowname "$window")" = Classifica ] && { sleep 0.3; return 0; }
    done
    sleep 0.5
  done
  echo "no name box after 60 s"
  fail=1
}

# Waits at most a second for the game to end, then asks for status 0.
expect_gone_within_a_second() {  # what
  local waited=0
  while kill -0 "$app" 2> /dev/null && [ "$waited" -lt 100 ]; do
    sleep 0.01
    waited=$((waited + 1))
  done
  if kill -0 "$app" 2> /dev/null; then
    echo "$1: the game still runs a second after its display went"
    kill -KILL "$app"
    fail=1
  fi
  local status=0
  wait "$app" || status=$?
  app=
  [ "$status" -eq 0 ] || { echo "$1: exit status $status"; fail=1; }
}

kill_display() {  # signal
  kill "-${1:-KILL}" "$xvfb"
  wait "$xvfb" 2> /dev/null || true
  xvfb=
}

# The one line a lost game leaves: the score, a blank, twelve blanks for the
# name no one confirmed, " Level 1", CR LF; the table whole around it.
expect_pending_result() {  # what, data folder
  local table="$2/Zarvo/Score/Classifica.txt"
  if [ ! -f "$table" ]; then
    echo "$1: no table at $table"
    fail=1
    return
  fi
  local blanks lines
  blanks=$(printf '%14s' '')
  lines=$(grep -c "^[0-9]\{8\}${blanks}Level 1"$'\r$' "$table" || true)
  [ "$lines" -eq 1 ] && [ "$(wc -l < "$table")" -eq 1 ] ||
    { echo "$1: table is"; od -c "$table" | head -5; fail=1; }
}

# 1. The server killed at the intro.
start_game "$work/intro"
sleep 1
kill_display
expect_gone_within_a_second "killed at the intro"

# 2. The server ended in play, the orderly way.
start_xvfb
start_game "$work/play"
xdotool key g
sleep 1
kill_display TERM
expect_gone_within_a_second "ended in play"

# 3. The server killed while the name box waits.
start_xvfb
start_game "$work/named"
play_until_the_name_box
kill_display
expect_gone_within_a_second "killed in the name box"
expect_pending_result "killed in the name box" "$work/named"

# 4. SIGTERM, and the server's end straight after.
start_xvfb
start_game "$work/logout"
play_until_the_name_box
kill -TERM "$app"
kill_display
expect_gone_within_a_second "SIGTERM, then the server's end"
expect_pending_result "SIGTERM, then the server's end" "$work/logout"

if [ "$fail" -ne 0 ]; then
  echo "--- program output"; cat "$work/out" "$work/err"
fi
exit "$fail"
