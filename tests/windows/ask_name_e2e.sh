#!/usr/bin/env bash
# The line-input example as a Windows program under Wine: its dialog is a
# real dialog that takes a typed line; Tab and Space press Okay, the dialog
# goes, the graphics window greets in navy blue, and Ctrl+Q ends it with
# status 0.
# Usage: ask_name_e2e.sh <ask_name.exe>
set -euo pipefail

exe=$1
here=$(dirname "$0")
source "$here/../qt/x11_session.sh"
source "$here/wine_session.sh"
source "$here/wine_program.sh"

start_windows_program "$exe"
dialog=$(await_window KELTO_gets) || fail "the dialog did not appear: $(cat "$work/app.log")"
window=$(await_window "KELTO Graphics") || fail "no graphics window"
xdotool windowfocus --sync "$dialog" type --delay 20 "Ada"
xdotool windowfocus --sync "$dialog" key Tab space
await_no_window KELTO_gets || fail "Okay did not end the dialog"

shot_window=$window
greeting() { [ "$(count 595 120 0 100 '#003399')" -gt 300 ]; }
await_screen greeting || fail "no greeting after the dialog"
xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+q
await_exit "Ctrl+Q after the dialog"
echo "ask_name under Wine: the dialog took a typed line and Okay; Ctrl+Q ended it"
