#!/usr/bin/env bash
# Configures the project afresh with another identity and Debian's games
# layout under a prefix that is not /usr, installs everything but the game
# itself (which would need a build), and checks that the identity reached
# every file that names it and that the desktop's files stay where
# desktops look while the launcher and the data move.
# Arguments: the source folder, the path of the cmake to use.
set -euo pipefail
source_root=$1
cmake=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
complain() { echo "$*"; fail=1; }

id=net.example.othergame
home=https://games.example.net/zarvo
contact="Zarvo packagers <zarvo@games.example.net>"
"$cmake" -S "$source_root" -B "$work/build" -DCMAKE_INSTALL_PREFIX=/opt/zarvo \
  -DCMAKE_INSTALL_BINDIR=games -DCMAKE_INSTALL_DATADIR=share/games -DBUILD_TESTING=OFF \
  -DZARVO_BENCH=OFF -DZARVO_TOOLS=OFF "-DZARVO_APP_ID=$id" "-DZARVO_HOME_PAGE=$home" \
  "-DZARVO_PACKAGE_CONTACT=$contact" \
  > "$work/configure.log" 2>&1 || { cat "$work/configure.log"; exit 1; }
"$cmake" --build "$work/build" --target zarvo_docs > "$work/build.log" 2>&1 ||
  { cat "$work/build.log"; exit 1; }
DESTDIR="$work/root" "$cmake" --install "$work/build" --component Unspecified > "$work/install.log"
root="$work/root/opt/zarvo"

expected=(
  games/zarvo
  share/games/zarvo/images_games/logo.bmp
  "share/applications/$id.desktop"
  "share/metainfo/$id.metainfo.xml"
  share/man/man6/zarvo.6.gz
  share/doc/zarvo/LICENSE
  share/doc/zarvo/copyright
)
for size in 16 32 48 128; do expected+=("share/icons/hicolor/${size}x${size}/apps/$id.png"); done
for path in "${expected[@]}"; do
  [ -f "$root/$path" ] || complain "not installed: $path"
done
for moved in share/games/applications share/games/icons share/games/metainfo share/games/man; do
  [ -e "$root/$moved" ] && complain "installed under the data folder: $moved"
done

grep -qx 'Exec="/opt/zarvo/games/zarvo"' "$root/share/applications/$id.desktop" ||
  complain "the entry's Exec: $(grep '^Exec=' "$root/share/applications/$id.desktop")"
grep -qx "Icon=$id" "$root/share/applications/$id.desktop" || complain "the entry's icon"
grep -q 'data="$here/../share/games/zarvo"' "$root/games/zarvo" || complain "the launcher's data folder"
metainfo="$root/share/metainfo/$id.metainfo.xml"
for line in "<id>$id</id>" "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
            "<url type=\"homepage\">$home</url>" "<image>$home/level1.png</image>" \
            "<project_license>MIT</project_license>"; do
  grep -qF "$line" "$metainfo" || complain "the metainfo lacks $line"
done
grep -qF "\"$home\"" "$work/build/generated/game/shell/identity.h" || complain "the header's home page"
zcat "$root/share/man/man6/zarvo.6.gz" | grep -qF "$home" || complain "the manual's home page"
zcat "$root/share/man/man6/zarvo.6.gz" | grep -qF /opt/zarvo/share/games/zarvo ||
  complain "the manual's data folder"
zcat "$root/share/doc/zarvo/changelog.gz" | grep -qF -- "-- $contact  " || complain "the changelog's maintainer"
# Nothing still names the default identity.
left=$(grep -rl -e org.example.zarvo -e zarvo.example.org "$work/root" \
         "$work/build/generated" "$work/build/desktop" 2> /dev/null || true)
left=$(grep -v '\.gz$' <<< "$left" || true)
[ -z "$left" ] || complain "still naming the default identity: $left"
zgrep -l -e org.example.zarvo -e zarvo.example.org "$root"/share/man/man6/*.gz \
  "$root"/share/doc/zarvo/*.gz && complain "a compressed file names the default identity"
exit "$fail"
