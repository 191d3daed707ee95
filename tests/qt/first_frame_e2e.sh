#!/usr/bin/env bash
# End to end under a window manager, on a 1280x1024 and a 1024x768 screen:
# the first picture a program shows is drawn for the window's real client
# size, so a disc at the centre is where it is after the first event; and
# the graphics window ends above the text window, with the focus.
# Usage: first_frame_e2e.sh <centred_disc binary>
set -euo pipefail

binary=$1
source "$(dirname "$0")/x11_session.sh"

# The bounding box of the pixels of one colour on the screen, as WxH+X+Y.
box_of() {
  convert "$work/shot.png" -fill black +opaque "$1" -fill white -opaque "$1" -format '%@' info:
}

check_screen() {
  local size=$1
  start_x_server "$size"
  start_window_manager
  start_program "$binary"
  local window
  window=$(await_window "KELTO Graphics") || fail "$size: no graphics window"
  first=""
  disc_shown() { first=$(box_of '#FF0000') && [ "${first%%+*}" = "41x41" ]; }
  await_screen disc_shown || fail "$size: no disc in the first picture (red: $first)"
  [ "$(xdotool getwindowfocus)" = "$window" ] || fail "$size: the graphics window has no focus"
  xdotool windowfocus --sync "$window" key --clearmodifiers space
  # The disc is drawn again, blue, after the key.
  later=""
  disc_again() { later=$(box_of '#0000FF') && [ "${later%%+*}" = "41x41" ]; }
  await_screen disc_again || fail "$size: no disc after the event (blue: $later)"
  [ "${later#*+}" = "${first#*+}" ] || fail "$size: the first disc at $first, after an event at $later"
  xdotool windowfocus --sync "$window" key --clearmodifiers ctrl+q
  await_exit "$size: Ctrl+Q"
  stop_x_server
  echo "$size: the first disc and the one after an event both at $first"
}

check_screen 1280x1024
check_screen 1024x768
