#!/usr/bin/env bash
# Checks the Debian package that `cpack -G DEB` made in a build configured
# with CMAKE_INSTALL_PREFIX=/usr: its name and control fields, its files
# (Debian's games layout, with the desktop's own files where desktops look
# and nothing outside /usr), a stripped game, a desktop entry that names the
# installed launcher, valid metainfo, a manual that renders cleanly, and no
# error from lintian, whose other remarks are printed.
# Arguments: the .deb, the application id.
set -euo pipefail
deb=$1
id=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
complain() { echo "$*"; fail=1; }

version=$(dpkg-deb -f "$deb" Version)
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "zarvo_${version}_${arch}.deb" ] || complain "named $(basename "$deb")"
[ "$(dpkg-deb -f "$deb" Package)" = zarvo ] || complain "package $(dpkg-deb -f "$deb" Package)"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || complain "section $(dpkg-deb -f "$deb" Section)"
depends=$(dpkg-deb -f "$deb" Depends)
# From the libraries the game links (shlibdeps), and the fonts it reads.
for package in libc6 libsdl2-2.0-0 libfreetype6 libfontconfig1 fonts-dejavu-core; do
  grep -Eq "(^|, )$package( |,|$)" <<< "$depends" || complain "Depends lacks $package: $depends"
done

dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' > "$work/list"
expected=(
  /usr/games/zarvo
  /usr/libexec/zarvo/zarvo
  "/usr/share/applications/$id.desktop"
  "/usr/share/metainfo/$id.metainfo.xml"
  /usr/share/man/man6/zarvo.6.gz
  /usr/share/doc/zarvo/copyright
  /usr/share/doc/zarvo/changelog.gz
)
for size in 16 32 48 128; do expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"); done
for f in logo.bmp blank.bmp livello.bmp replay.bmp gameover.bmp ball.wav; do
  expected+=("/usr/share/games/zarvo/images_games/$f")
done
for path in "${expected[@]}"; do
  grep -qxF "$path" "$work/list" || complain "not in the package: $path"
done
outside=$(grep -v '^/usr/' "$work/list" | grep -vx '/' || true)
[ -z "$outside" ] || complain "outside /usr: $outside"

dpkg-deb -x "$deb" "$work/root"
sections=$(readelf -S --wide "$work/root/usr/libexec/zarvo/zarvo")
grep -Eq '\.symtab|\.debug_' <<< "$sections" && complain "the game is not stripped"
exec_line=$(sed -n 's/^Exec=//p' "$work/root/usr/share/applications/$id.desktop")
[ "$exec_line" = '"/usr/games/zarvo"' ] || complain "Exec=$exec_line"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/$id.metainfo.xml" > "$work/appstream" ||
  { cat "$work/appstream"; fail=1; }
bash "$(dirname "$0")/manual_check.sh" "$work/root/usr/share/man/man6/zarvo.6.gz" || fail=1

if command -v lintian > /dev/null; then
  # As root lintian warns that it runs as root; the check is the same.
  lintian --display-info --fail-on error "$deb" > "$work/lintian" 2>&1 ||
    { echo "lintian reports errors:"; fail=1; }
  grep -v '^running with root' "$work/lintian" || true
else
  complain "lintian is not installed"
fi
exit "$fail"
