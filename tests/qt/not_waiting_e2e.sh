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

# Waits at most ten seconds for the program to end with the status of a
# program ended because it never took the request to close.
await_stuck_exit() {
  for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$app_pid" 2>/dev/null && fail "$1: the program is still running"
  local status=0
  wait "$app_pid" || status=$?
  app_pid=""
  [ "$status" -eq 1 ] || fail "$1: the program ended with status $status: $(cat "$work/app.log")"
}

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
await_stuck_exit "the close box"

start_program "$binary"
window=$(await_window "KELTO Graphics") || fail "no graphics window: $(cat "$work/app.log")"
xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+q
await_stuck_exit "Ctrl+Q"
echo "spinning disc: shown with a hint; the close box and Ctrl+Q ended it"
