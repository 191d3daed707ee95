#!/usr/bin/env bash
# Measures the card designer in a real window on a virtual X server: time
# from start to the first frame on screen, CPU use over 5 s animating and
# over 5 s halted (Ctrl+H), and peak memory. Not a test: it prints figures.
# Usage: scripts/measure-desktop.sh [card_designer binary]
set -euo pipefail

binary=${1:-build/release/app/card_designer}
work=$(mktemp -d)
xvfb_pid="" app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
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
