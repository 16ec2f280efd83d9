# Sourced by the end-to-end scripts: a scratch folder in $work and a private
# Xvfb on a free display, both gone when the script ends, with the program
# under test ($app, once started) stopped first.
work=$(mktemp -d)
cleanup() {
  [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number when it is ready. A script
# that ends its server on purpose starts the next one the same way; a script
# may ask for another screen ($xvfb_screen) and more options ($xvfb_options).
start_xvfb() {
  : > "$work/display"
  # shellcheck disable=SC2086 # the options are words of their own
  Xvfb -displayfd 3 -screen 0 "${xvfb_screen:-1024x768x24}" -nolisten tcp ${xvfb_options:-} \
    3> "$work/display" > "$work/xvfb.log" 2>&1 &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
  export DISPLAY=":$(cat "$work/display")"
}
start_xvfb

# Pixels of a window's content, measured from $left, $top (set by the script).
fail=0
# The colour of a pixel, on the screen as it is now.
pixel() {
  import -window root "$work/shot.png"
  convert "$work/shot.png" -format "%[pixel:p{$((left + $1)),$((top + $2))}]" info:
}
# Waits up to five seconds for a pixel to show one of the names of a colour.
expect_pixel() {  # what, x, y, colour names...
  local what=$1 x=$2 y=$3 got=""
  shift 3
  for _ in $(seq 25); do
    got=$(pixel "$x" "$y")
    for name in "$@"; do [ "$got" = "$name" ] && return 0; done
    sleep 0.2
  done
  echo "$what: pixel ($x, $y) is $got, expected $1"
  fail=1
}
# Starts the game from the current folder, its output kept in $work, and
# waits for its window: $app is the process, $wid the window, focused, with
# $X, $Y, $WIDTH and $HEIGHT its place and size on the screen.
start_game() {  # the game's executable
  "$1" > "$work/out" 2> "$work/err" &
  app=$!
  wid=$(timeout 20 xdotool search --sync --classname zarvo | head -n 1)
  xdotool windowfocus --sync "$wid" 2> /dev/null || true
  eval "$(xdotool getwindowgeometry --shell "$wid")"
}
# Waits up to ten seconds for the program under test to end, and fails
# unless it ended with status 0.
expect_exit_zero() {
  local status=0
  timeout 10 tail --pid="$app" -f /dev/null || status=$?
  wait "$app" || status=$?
  app=
  [ "$status" -eq 0 ] || { echo "exit status $status"; fail=1; }
}
