#!/usr/bin/env bash
# The card designer as a Windows program under Wine, with its script file a
# FIFO that another process holds open and never writes to: Ctrl+P and
# Ctrl+R are refused instead of waiting on the FIFO, a click on the card then
# still draws a heart, Ctrl+Q ends the program with status 0, and nothing was
# written into the FIFO.
# Usage: script_fifo_e2e.sh <card_designer.exe>
set -euo pipefail

exe=$1
here=$(dirname "$0")
source "$here/../qt/x11_session.sh"
source "$here/wine_session.sh"
source "$here/wine_program.sh"

# Held open for reading and writing, so that the FIFO has a writer that
# never writes (a reading program would wait for ever) and a reader (a
# recording program could write into it).
mkfifo "$work/KELTO.SCR"
sleep 600 <>"$work/KELTO.SCR" &
holder=$!
trap 'kill "$holder" 2>/dev/null || true; cleanup' EXIT

start_windows_program "$exe"
shot_window=$(await_window "KELTO Graphics") ||
  fail "the graphics window did not appear: $(cat "$work/app.log")"
yellow_card() { [ -n "$(bounding_box '#FFFF00')" ]; }
await_screen yellow_card || fail "no yellow card in the window"

xdotool windowfocus --sync "$shot_window" key --clearmodifiers ctrl+p ctrl+r

# The program still takes input: a click on the card draws a heart there.
read -r left top width height <<<"$(bounding_box '#FFFF00')"
click_x=$((left + width / 2))
click_y=$((top + height / 2))
xdotool mousemove --window "$shot_window" --sync $click_x $click_y click 1
heart() { [ "$(pixel $click_x $click_y)" = "#000000" ]; }
await_screen heart || fail "no heart after Ctrl+P and Ctrl+R: the program hangs on the FIFO"

xdotool windowfocus --sync "$shot_window" key --clearmodifiers ctrl+q
await_exit "Ctrl+Q with the script file a FIFO held open"

[ -p "$work/KELTO.SCR" ] || fail "the FIFO was replaced"
# A FIFO with a writer and no bytes fails a read that does not wait.
written=$({ timeout 10 dd if="$work/KELTO.SCR" iflag=nonblock bs=4096 count=1 2>/dev/null || true; } | wc -c)
[ "$written" -eq 0 ] || fail "$written bytes were written into the FIFO"
echo "card designer under Wine: a FIFO held open as KELTO.SCR was neither played nor recorded into"
