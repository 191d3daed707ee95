#!/usr/bin/env bash
# A Windows program under Wine that draws a disc and then loops for ever
# without waiting: its window shows the disc, and both its close box (a
# close request from outside, through a window manager) and Ctrl+Q end it.
# Usage: not_waiting_e2e.sh <spinning_disc.exe>
set -euo pipefail

exe=$1
here=$(dirname "$0")
source "$here/../qt/x11_session.sh"
source "$here/wine_session.sh"
source "$here/wine_program.sh"

# The status of a program ended because it never took the request to close.
stuck_status=1

red_disc() { [ -n "$(bounding_box '#FF0000')" ]; }

start_window_manager
start_windows_program "$exe"
shot_window=$(await_window "KELTO Graphics") ||
  fail "the graphics window did not appear: $(cat "$work/app.log")"
await_screen red_disc || fail "the disc is not shown"
wmctrl -c "KELTO Graphics"
await_exit "the close box" $stuck_status

start_windows_program "$exe"
window=$(await_window "KELTO Graphics") || fail "the graphics window did not appear again"
xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+q
await_exit "Ctrl+Q" $stuck_status
echo "spinning disc under Wine: shown; the close box and Ctrl+Q ended it"
