#!/usr/bin/env bash
# End to end on a virtual X server with a window manager: a program that
# draws a disc and then loops for ever without waiting. Its graphics window
# shows the disc, a hint line says that it does not wait, and both the close
# box (WM_DELETE_WINDOW through the window manager) and Ctrl+Q end it.
# Usage: not_waiting_e2e.sh <spinning_disc binary>
set -euo pipefail

binary=$1
source "$(dirname "$0")/x11_session.sh"
start_x_server
start_window_manager

# The status of a program ended because it never took the request to close.
stuck_status=1

start_program "$binary"
window=$(await_window "KELTO Graphics") || fail "no graphics window: $(cat "$work/app.log")"
shot_window=$window
eval "$(xdotool getwindowgeometry --shell "$window")"
disc_shown() { [ "$(pixel $((WIDTH / 2)) $((HEIGHT / 2)))" = "#FF0000" ]; }
await_screen disc_shown || fail "the disc is not shown: $(pixel $((WIDTH / 2)) $((HEIGHT / 2)))"
for _ in $(seq 100); do
  grep -q "has not waited for events" "$work/app.log" && break
  sleep 0.1
done
grep -q "has not waited for events" "$work/app.log" || fail "no hint: $(cat "$work/app.log")"
wmctrl -c "KELTO Graphics"
await_exit "the close box" $stuck_status

start_program "$binary"
window=$(await_window "KELTO Graphics") || fail "no graphics window: $(cat "$work/app.log")"
xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+q
await_exit "Ctrl+Q" $stuck_status
echo "spinning disc: shown with a hint; the close box and Ctrl+Q ended it"
