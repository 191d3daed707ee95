#!/usr/bin/env bash
# End to end on a virtual X server: the line input example, whose dialog or
# graphics window is destroyed by another X client. A destroyed dialog ends
# as cancelled and Ctrl+Q in the graphics window then ends the program; a
# destroyed graphics window ends the program, dialog and all.
# Usage: ask_name_e2e.sh <ask_name binary>
set -euo pipefail

binary=$1
source "$(dirname "$0")/x11_session.sh"
start_x_server

start_program "$binary"
dialog=$(await_window KELTO_gets) || fail "the dialog did not appear: $(cat "$work/app.log")"
window=$(await_window "KELTO Graphics") || fail "no graphics window"
xdotool windowclose "$dialog"
await_no_window KELTO_gets || fail "the destroyed dialog stayed"
xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+q
await_exit "Ctrl+Q after the dialog was destroyed"

start_program "$binary"
await_window KELTO_gets >/dev/null || fail "the dialog did not appear: $(cat "$work/app.log")"
window=$(await_window "KELTO Graphics") || fail "no graphics window"
xdotool windowclose "$window"
await_exit "the graphics window destroyed during the dialog"
echo "ask_name: a destroyed dialog gave its window back; a destroyed window ended the program"
