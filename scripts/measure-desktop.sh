#!/usr/bin/env bash
# Measures the card designer in a real window on a virtual X server: time
# from start to the first frame on screen, CPU use over 5 s animating and
# over 5 s halted (Ctrl+H), and peak memory. Then, under a window manager, a
# program that draws a disc and loops for ever without waiting: time from
# its window's appearance to the disc on screen (the target: within 1 s of
# the program's last wait, here its start) and from the close request to
# the program's end (the target: 2 s). Not a test: it prints figures.
# Usage: scripts/measure-desktop.sh [card_designer binary] [spinning_disc binary]
set -euo pipefail

# Absolute, since the programs start in a scratch directory.
binary=$(realpath "${1:-build/release/app/card_designer}")
spinning=$(realpath "${2:-build/release/tests/qt/spinning_disc}")
work=$(mktemp -d)
xvfb_pid="" app_pid="" wm_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
read -r -t 20 number <"$work/display"
export DISPLAY=":$number" QT_QPA_PLATFORM=xcb

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$app_pid/stat"; }
now() { date +%s.%N; }

start=$(now)
(cd "$work" && exec "$binary") >/dev/null 2>&1 &
app_pid=$!
window=$(timeout 20 xdotool search --sync --name '^KELTO Graphics$' | head -n 1)
# The first frame is on screen when the card's yellow shows in the window.
for _ in $(seq 200); do
  import -window root "$work/shot.png"
  colour=$(convert "$work/shot.png" -format '%[hex:p{340,250}]' info:)
  [ "${colour:0:6}" = "FFFF00" ] && break
done
first_frame=$(echo "$(now) - $start" | bc)

measure() {
  local before after
  before=$(cpu_ticks)
  sleep 5
  after=$(cpu_ticks)
  echo "scale=2; 100 * ($after - $before) / ($ticks_per_second * 5)" | bc
}
animating=$(measure)
xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+h
halted=$(measure)
peak_kib=$(awk '/VmHWM/ {print $2}' "/proc/$app_pid/status")
xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+q
wait "$app_pid" && status=0 || status=$?
app_pid=""

printf 'time to first frame: %.2f s\n' "$first_frame"
printf 'CPU while animating (10 frames/s): %s%% of wall time\n' "$animating"
printf 'CPU while halted and idle: %s%% of wall time\n' "$halted"
printf 'peak memory (VmHWM): %s KiB\n' "$peak_kib"
printf 'exit status after Ctrl+Q: %s\n' "$status"

# The program that never waits, under openbox, which turns wmctrl's close
# request into the window's WM_DELETE_WINDOW.
openbox --sm-disable >/dev/null 2>&1 &
wm_pid=$!
for _ in $(seq 100); do
  wmctrl -m >/dev/null 2>&1 && break
  sleep 0.1
done
start=$(now)
(cd "$work" && exec "$spinning") >/dev/null 2>&1 &
app_pid=$!
window=$(timeout 20 xdotool search --sync --name '^KELTO Graphics$' | head -n 1)
shown=$(now)
eval "$(xdotool getwindowgeometry --shell "$window")"
for _ in $(seq 200); do
  import -window "$window" "$work/shot.png"
  colour=$(convert "$work/shot.png" -format "%[hex:p{$((WIDTH / 2)),$((HEIGHT / 2))}]" info:)
  [ "${colour:0:6}" = "FF0000" ] && break
done
live=$(now)
wmctrl -c 'KELTO Graphics'
asked=$(now)
while kill -0 "$app_pid" 2>/dev/null; do sleep 0.01; done
ended=$(now)
wait "$app_pid" && status=0 || status=$?
app_pid=""

printf 'never waiting: window after %.2f s, live picture %.2f s after the window (%.2f s after start)\n' \
  "$(echo "$shown - $start" | bc)" "$(echo "$live - $shown" | bc)" "$(echo "$live - $start" | bc)"
printf 'never waiting: close request to exit: %.2f s (exit status %s)\n' \
  "$(echo "$ended - $asked" | bc)" "$status"
