#!/usr/bin/env bash
# The card designer as a Windows program under Wine: its real window shows
# the yellow card; the panel, card and status line equal, pixel for pixel,
# those of the Qt build's window (the same raster and fonts draw both); a
# click on the card draws a heart and turns the status line red; Ctrl+Q ends
# it with status 0.
# Usage: card_designer_e2e.sh <card_designer.exe> [<Qt build's card_designer>]
set -euo pipefail

exe=$1
desktop=${2:-}
here=$(dirname "$0")
source "$here/../qt/x11_session.sh"
source "$here/wine_session.sh"
source "$here/wine_program.sh"

# Everything is drawn relative to the client area's centre, so the two
# windows are compared in one box placed by the card, which is at (-140,
# -150) .. (220, 200): from the panel's left edge to the right of the card,
# from the panel's top to below the status line.
compared_box() {
  read -r left top _ _ <<<"$(bounding_box '#FFFF00')"
  [ -n "${left:-}" ] || return 1
  echo "594x490+$((left - 156))+$((top - 48))"
}
yellow_card() { [ -n "$(bounding_box '#FFFF00')" ]; }

start_windows_program "$exe"
shot_window=$(await_window "KELTO Graphics") ||
  fail "the graphics window did not appear: $(cat "$work/app.log")"
await_screen yellow_card || fail "no yellow card in the Windows program's window"
box=$(compared_box) || fail "no card to place the comparison"
convert "$work/shot.png" -crop "$box" +repage "$work/windows.png"

# A click on the card: a black heart there, and a red status line.
read -r left top width height <<<"$(bounding_box '#FFFF00')"
click_x=$((left + width / 2))
click_y=$((top + height / 2))
xdotool mousemove --window "$shot_window" --sync $click_x $click_y click 1
heart_and_status() {
  [ "$(pixel $click_x $click_y)" = "#000000" ] &&
    [ "$(count 80 80 $((click_x - 40)) $((click_y - 40)) '#000000')" -gt 1500 ] &&
    [ "$(count 300 40 $left $((top + height + 15)) '#FF0000')" -gt 200 ]
}
await_screen heart_and_status || fail "no heart and red status line after the click"

xdotool windowfocus --sync "$shot_window" key --clearmodifiers ctrl+q
await_exit "Ctrl+Q"

if [ -n "$desktop" ]; then
  export QT_QPA_PLATFORM=xcb
  start_program "$desktop"
  shot_window=$(await_window "KELTO Graphics") ||
    fail "the Qt build's window did not appear: $(cat "$work/app.log")"
  await_screen yellow_card || fail "no yellow card in the Qt build's window"
  box=$(compared_box) || fail "no card in the Qt build's window"
  convert "$work/shot.png" -crop "$box" +repage "$work/desktop.png"
  differing=$(compare -metric AE "$work/windows.png" "$work/desktop.png" null: 2>&1) || true
  [ "$differing" = 0 ] || fail "the Windows and Qt windows differ in $differing pixels"
  xdotool windowfocus --sync "$shot_window" key --clearmodifiers ctrl+q
  await_exit "Ctrl+Q in the Qt build"
  echo "card designer under Wine: the same pixels as the Qt build's window"
fi
echo "card designer under Wine: yellow card, heart and red status line; Ctrl+Q ended it"
