#!/usr/bin/env bash
# Installs the game from this build folder into a scratch prefix, checks the
# installed files and the desktop files' validity, starts the installed game
# through its desktop entry from an unrelated working directory under a
# private Xvfb, finds its window by its title and sees the splash, then
# uninstalls it again. Arguments: the build folder, the application id.
set -euo pipefail
build=$1
id=$2
source "$(dirname "$0")/xvfb_session.sh"
export XDG_DATA_HOME="$work/data"
prefix="$work/prefix with space"

# The build folder's record of its last installation is the user's; it is
# put back when the test is done.
manifest="$build/install_manifest.txt"
[ -f "$manifest" ] && cp "$manifest" "$work/manifest.saved"
restore_manifest() {
  if [ -f "$work/manifest.saved" ]; then cp "$work/manifest.saved" "$manifest"; else rm -f "$manifest"; fi
}
trap 'restore_manifest; cleanup' EXIT

cmake --install "$build" --prefix "$prefix" > "$work/install.log"

expect_file() {  # path under the prefix
  [ -f "$prefix/$1" ] || { echo "not installed: $1"; fail=1; }
}
expect_file bin/zarvo
[ -x "$prefix/bin/zarvo" ] || { echo "the launcher is not executable"; fail=1; }
expect_file libexec/zarvo/zarvo
for f in logo.bmp blank.bmp livello.bmp replay.bmp gameover.bmp ball.wav; do
  expect_file "share/zarvo/images_games/$f"
done
for f in LICENSE copyright changelog.gz; do
  expect_file "share/doc/zarvo/$f"
done
expect_file share/man/man6/zarvo.6.gz
expect_file "share/applications/$id.desktop"
expect_file "share/metainfo/$id.metainfo.xml"
for size in 16 32 48 128; do
  icon="share/icons/hicolor/${size}x${size}/apps/$id.png"
  expect_file "$icon"
  got=$(identify -format '%w %h %m' "$prefix/$icon" 2>&1 || true)
  [ "$got" = "$size $size PNG" ] || { echo "$icon: $got"; fail=1; }
done

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail=1
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" > "$work/appstream.log" ||
  { cat "$work/appstream.log"; fail=1; }
grep -qx "Icon=$id" "$prefix/share/applications/$id.desktop" || { echo "the entry's icon"; fail=1; }

# Started as the desktop would: the entry's Exec line (one quoted path), from
# a working directory that holds no pictures.
exec_line=$(sed -n 's/^Exec=//p' "$prefix/share/applications/$id.desktop")
launcher=${exec_line#\"}
launcher=${launcher%\"}
[ "$launcher" = "$prefix/bin/zarvo" ] || { echo "Exec names $exec_line"; fail=1; }
mkdir -p "$work/elsewhere"
cd "$work/elsewhere"
"$launcher" > "$work/out" 2> "$work/err" &
app=$!
# By the title, as window lists and scripts find a window: WM_NAME must be
# of a type they can read.
wid=$(timeout 20 xdotool search --sync --name '^Zarvo \(c\) 2026 Zarvo$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$wid")"
left=$X top=$((Y + 20))  # the client area is below the menu bar
expect_pixel "the splash's markers" 0 0 "srgb(0,255,0)" "lime"
expect_pixel "the splash's prompt box" 795 585 "srgb(0,0,255)" "blue"
kill -0 "$app" 2> /dev/null || { echo "the game is no longer running"; fail=1; }
kill "$app" 2> /dev/null || true
wait "$app" 2> /dev/null || true
app=
cd "$work"

# The README's command takes it all away again: no file is left.
cmake --build "$build" --target uninstall > "$work/uninstall.log"
left_over=$(find "$prefix" -type f)
[ -z "$left_over" ] || { echo "left after uninstalling: $left_over"; fail=1; }
[ -d "$prefix/share/zarvo" ] && { echo "share/zarvo left after uninstalling"; fail=1; }

if [ "$fail" -ne 0 ]; then
  echo "--- program output"; cat "$work/out" "$work/err" 2> /dev/null || true
fi
exit "$fail"
