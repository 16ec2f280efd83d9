#!/usr/bin/env bash
# The program entry on the headless host, from a working directory without
# the pictures in either place: it ends with 1 before any window. (A damaged
# picture is tested in the game's own tests, where its box gets answered.)
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0
run_in() {  # folder; prints the exit status
  local status=0
  (cd "$1" && XDG_DATA_HOME="$work/data" timeout 60 "$program" > "$1.out" 2>&1) || status=$?
  echo "$status"
}

mkdir -p "$work/empty"
status=$(run_in "$work/empty")
[ "$status" -eq 1 ] || { echo "no pictures: exit status $status, expected 1"; fail=1; }

exit "$fail"
