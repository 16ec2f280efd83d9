#!/usr/bin/env bash
# The manual page renders without a warning from man and groff, at a usual
# terminal width, and holds the sections a player looks for.
# Argument: the zarvo.6 the build wrote.
set -euo pipefail
page=$1
command -v man > /dev/null || { echo "man is not installed"; exit 77; }
fail=0
warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 > /dev/null)
[ -z "$warnings" ] || { echo "man warns:"; echo "$warnings"; fail=1; }
text=$(MANWIDTH=80 man -E UTF-8 -l "$page" 2> /dev/null)
for section in NAME SYNOPSIS DESCRIPTION KEYS MENU FILES "EXIT STATUS" BUGS; do
  grep -qx "$section" <<< "$text" || { echo "no section $section"; fail=1; }
done
# Lines joined, so that a phrase broken across two lines still counts.
joined=$(tr -s ' \n' '  ' <<< "$text")
for mention in images_games Classifica.txt "Immagini non trovate" Esci "Abilita Joystick"; do
  grep -qF "$mention" <<< "$joined" || { echo "the page does not mention $mention"; fail=1; }
done
exit "$fail"
