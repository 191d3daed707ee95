#!/usr/bin/env bash
# End to end on a virtual X server: starts the card designer, clicks on its
# card, and checks a screenshot for the yellow card, the drawn heart and the
# red "Object selected..." status line; then Ctrl+Q must end it with status 0.
# Usage: card_designer_e2e.sh <card_designer binary> [screenshot to keep]
set -euo pipefail

binary=$1
keep=${2:-}
work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -n "$keep" ] && [ -f "$work/shot.png" ] && cp "$work/shot.png" "$keep"
  exit 1
}

# The server names its display once it accepts connections.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
read -r -t 20 number <"$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$number"
export QT_QPA_PLATFORM=xcb

(cd "$work" && exec timeout 60 "$binary") >"$work/app.log" 2>&1 &
app_pid=$!
window=$(timeout 20 xdotool search --sync --name '^KELTO Graphics$' | head -n 1) ||
  fail "the graphics window did not appear: $(cat "$work/app.log")"

# Colour of a screen pixel as #RRGGBB.
pixel() {
  convert "$work/shot.png" -format "%[hex:p{$1,$2}]" info: | sed 's/^/#/; s/^\(#......\).*/\1/'
}
# Pixels of one colour in a box of the screenshot: width height left top colour.
count() {
  convert "$work/shot.png" -crop "$1x$2+$3+$4" +repage txt:- | grep -c -i "$5" || true
}
shot() { import -window root "$work/shot.png"; }
# Takes screenshots until `check` holds, for at most ten seconds.
await_screen() {
  for _ in $(seq 100); do
    shot
    if "$@"; then return 0; fi
    sleep 0.1
  done
  return 1
}

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
[ -n "$keep" ] && cp "$work/shot.png" "$keep"

xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+q
status=0
wait "$app_pid" || status=$?
app_pid=""
[ "$status" -eq 0 ] || fail "the card designer ended with status $status: $(cat "$work/app.log")"
echo "card designer: yellow card, heart and red status line shown; Ctrl+Q ended it with status 0"
