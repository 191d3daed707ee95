#!/usr/bin/env bash
# End to end: a run recorded in a real window replays to the same pixels.
# The drawing example runs on a virtual X server; Ctrl+R records three
# clicks, and the window's client area is kept. The replay runner then plays
# the recorded script with a client area of the same size, and its picture
# must equal the window's, pixel for pixel.
# Usage: record_and_replay_e2e.sh <click_to_draw> <click_to_draw-replay>
set -euo pipefail

program=$1
runner=$2
source "$(dirname "$0")/x11_session.sh"
start_x_server

start_program "$program"
window=$(await_window "KELTO Graphics") || fail "no graphics window: $(cat "$work/app.log")"

shot_window=$window
# The client area starts below the menu bar, at the first row of the black
# frame that KELTO_clear draws round the picture; column 300 has no menu text.
client_top() {
  for y in $(seq 1 80); do
    [ "$(pixel 300 "$y")" = "#000000" ] && { echo "$y"; return 0; }
  done
  return 1
}
await_screen client_top >/dev/null || fail "the picture did not appear"
top=$(client_top)
height=$((540 - top))
centre_x=300
centre_y=$((top + height / 2))

xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+r
# Clicks at (-100, 50), (0, -60) and (120, 80) in centred coordinates.
for point in "-100 50" "0 -60" "120 80"; do
  read -r x y <<<"$point"
  xdotool mousemove --sync $((centre_x + x)) $((centre_y - y)) click 1
done
# The third dot, red, shows when all three clicks are drawn.
third_dot() { [ "$(pixel $((centre_x + 117)) $((centre_y - 80)))" = "#FF0000" ]; }
await_screen third_dot || fail "the clicks were not drawn"
xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+r
shot
xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+q
await_exit "Ctrl+Q after recording"
[ "$(grep -c KELTO_MOUSE "$work/KELTO.SCR")" -eq 3 ] || fail "the script: $(cat "$work/KELTO.SCR")"

"$runner" --script "$work/KELTO.SCR" --client "601x$height" --png "$work/replay.png" ||
  fail "the runner failed"
convert "$work/shot.png" -crop "601x$height+0+$top" +repage "$work/client.png"
differing=$(compare -metric AE "$work/client.png" "$work/replay.png" null: 2>&1 || true)
[ "$differing" = "0" ] || fail "$differing pixels differ between the window and the replay"
echo "record and replay: the replayed picture equals the window's 601x$height client area"
