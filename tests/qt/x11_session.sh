# Shared by the end-to-end tests: a virtual X server for the test, programs
# started in a scratch directory on it, and bounded waits for their windows
# and their exits. Source it; it sets DISPLAY and cleans up at exit.

work=$(mktemp -d)
xvfb_pid=""
app_pid=""
wm_pid=""
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts the server, 1024x768 unless given another size; it names its
# display once it accepts connections.
start_x_server() {
  rm -f "$work/display"
  mkfifo "$work/display"
  Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp 3>"$work/display" \
    2>"$work/xvfb.log" &
  xvfb_pid=$!
  read -r -t 20 number <"$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$number"
  export QT_QPA_PLATFORM=xcb
}

# Stops the window manager and the server, to start another.
stop_x_server() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
  wm_pid=""
  xvfb_pid=""
}

# Starts openbox on the server and waits until it manages windows; started
# again if it gives up on a server that has only just opened.
start_window_manager() {
  for _ in $(seq 100); do
    if [ -z "$wm_pid" ] || ! kill -0 "$wm_pid" 2>/dev/null; then
      openbox --sm-disable >>"$work/openbox.log" 2>&1 &
      wm_pid=$!
    fi
    wmctrl -m >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  fail "openbox did not start: $(cat "$work/openbox.log")"
}

# Starts a program in the scratch directory, its output in $work/app.log.
start_program() {
  (cd "$work" && exec timeout 60 "$1") >"$work/app.log" 2>&1 &
  app_pid=$!
}

# Prints the id of the window with exactly this title once it is there.
await_window() {
  timeout 20 xdotool search --sync --name "^$1\$" | head -n 1
}

# Waits until no window has this title, for at most ten seconds.
await_no_window() {
  for _ in $(seq 100); do
    xdotool search --name "^$1\$" >/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# Waits for the program to end, for at most ten seconds, and checks that it
# ended with status 0, or the status given after what ended it.
await_exit() {
  for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$app_pid" 2>/dev/null && fail "$1: the program is still running"
  local status=0
  wait "$app_pid" || status=$?
  app_pid=""
  [ "$status" -eq "${2:-0}" ] || fail "$1: the program ended with status $status: $(cat "$work/app.log")"
}

# Screenshots into $work/shot.png: of the whole screen, or of the window
# whose id is in $shot_window.
shot_window=root
shot() { import -window "$shot_window" "$work/shot.png"; }
# Colour of a pixel of the last screenshot as #RRGGBB.
pixel() {
  convert "$work/shot.png" -format "%[hex:p{$1,$2}]" info: | sed 's/^/#/; s/^\(#......\).*/\1/'
}
# Pixels of one colour in a box of the last screenshot: width height left top colour.
count() {
  convert "$work/shot.png" -crop "$1x$2+$3+$4" +repage txt:- | grep -c -i "$5" || true
}
# Takes screenshots until `check` holds, for at most ten seconds.
await_screen() {
  for _ in $(seq 100); do
    shot
    if "$@"; then return 0; fi
    sleep 0.1
  done
  return 1
}
