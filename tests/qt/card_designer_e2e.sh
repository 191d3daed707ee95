#!/usr/bin/env bash
# End to end on a virtual X server: starts the card designer, clicks on its
# card, and checks a screenshot for the yellow card, the drawn heart and the
# red "Object selected..." status line; then Ctrl+Q must end it with status 0,
# and so must destroying its graphics window from another X client.
# Usage: card_designer_e2e.sh <card_designer binary> [screenshot to keep]
set -euo pipefail

binary=$1
keep=${2:-}
source "$(dirname "$0")/x11_session.sh"
start_x_server

start_program "$binary"
window=$(await_window "KELTO Graphics") ||
  fail "the graphics window did not appear: $(cat "$work/app.log")"
# The last screenshot taken is kept where asked, whether the test passes or fails.
keep_shot() {
  if [ -n "$keep" ] && [ -f "$work/shot.png" ]; then cp "$work/shot.png" "$keep"; fi
}
trap 'keep_shot; cleanup' EXIT

# The card: (-140, -150) .. (220, 200) in centred coordinates. Without a
# window manager the client area starts below the menu bar at the top left;
# these points lie well inside the card for any menu bar height.
card_x=340
card_y=250
yellow_card() { [ "$(pixel 200 150)" = "#FFFF00" ] && [ "$(pixel $card_x $card_y)" = "#FFFF00" ]; }
await_screen yellow_card || fail "no yellow card on the screen"

xdotool mousemove --sync $card_x $card_y click 1
# A new shape is a black heart at the click, and selecting it turns the
# status line under the card red.
heart_and_status() {
  [ "$(pixel $card_x $card_y)" = "#000000" ] &&
    [ "$(count 80 80 $((card_x - 40)) $((card_y - 40)) '#000000')" -gt 1500 ] &&
    [ "$(count 300 40 150 440 '#FF0000')" -gt 200 ] &&
    [ "$(pixel 200 150)" = "#FFFF00" ]
}
await_screen heart_and_status || fail "no heart and red status line after the click"

xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+q
await_exit "Ctrl+Q"

# A graphics window destroyed by another X client ends the program too.
start_program "$binary"
window=$(await_window "KELTO Graphics") || fail "the graphics window did not appear again"
xdotool windowclose "$window"
await_exit "the graphics window destroyed"
echo "card designer: yellow card, heart and red status line shown; Ctrl+Q and a destroyed window ended it with status 0"
