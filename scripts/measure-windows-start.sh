#!/usr/bin/env bash
# Measures how long the card designer takes under Wine, on a virtual X server
# without a window manager, from its start to its first frame on screen,
# against a bare Win32 window (bench/programs/bare_window.c) measured in the
# same run, and prints the ratio it is judged by (goal: at most 3). Each is
# started five times; the best start counts. Not a test: it prints figures.
# Usage: scripts/measure-windows-start.sh [card_designer.exe]
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
designer=$(realpath "${1:-$here/build/windows/app/card_designer.exe}")
runs=5
work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "$*" >&2
  exit 1
}
[ -f "$designer" ] || fail "no $designer: build the windows preset first"

gcc -O2 -o "$work/first_frame" "$here/bench/start/first_frame.c" -lX11
x86_64-w64-mingw32-gcc -O2 -mwindows -o "$work/bare_window.exe" "$here/bench/programs/bare_window.c"
cp "$designer" "$work/card_designer.exe"

mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
read -r -t 20 number <"$work/display" || fail "Xvfb did not start"
export DISPLAY=":$number"
source "$here/tests/windows/wine_session.sh"
start_wine "$work/wine-prefix"

# best PROGRAM: the fastest of $runs starts to yellow at (300, 300), in ms.
# Both windows stand at (0, 0); the point lies in the bare window's client
# area and on the card designer's yellow card.
best() {
  local best="" ms
  for _ in $(seq "$runs"); do
    ms=$(cd "$work" && "$work/first_frame" FFFF00 300 300 "$WINE64" "$1") ||
      fail "$1 showed no frame"
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  echo "$best"
}
bare=$(best bare_window.exe)
card=$(best card_designer.exe)
printf 'bare Win32 window, start to first frame: %d ms\n' "$bare"
printf 'card designer, start to first frame: %d ms\n' "$card"
awk -v card="$card" -v bare="$bare" \
  'BEGIN { printf "card designer / bare window: %.2f (goal: at most 3)\n", card / bare }'
