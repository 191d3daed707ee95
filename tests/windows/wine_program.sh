# Shared by the Windows end-to-end tests: source after tests/qt/x11_session.sh
# and wine_session.sh. The test runner owns the X server (DISPLAY) and the
# Wine server (WINEPREFIX); the tests only start programs on them.
[ -n "${DISPLAY:-}" ] && [ -n "${WINEPREFIX:-}" ] ||
  fail "run me through run_windows_tests.sh, which provides DISPLAY and WINEPREFIX"

# Starts a Windows program in the scratch directory, its output in $work/app.log.
start_windows_program() {
  (cd "$work" && exec timeout 60 "$WINE64" "$1") >"$work/app.log" 2>&1 &
  app_pid=$!
}

# The bounding box of one colour in the last screenshot, as "left top width
# height"; empty when the colour is not there.
bounding_box() {
  local box
  box=$(convert "$work/shot.png" -fill black +opaque "$1" -fill white -opaque "$1" \
    -format '%@' info: 2>/dev/null) || return 0
  # An image without the colour trims to nothing: "0x0" or "1x1" of black.
  [ "$(convert "$work/shot.png" -fill black +opaque "$1" -fill white -opaque "$1" -format '%[fx:maxima.r]' info:)" = 1 ] ||
    return 0
  sed -E 's/^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$/\3 \4 \1 \2/' <<<"$box"
}
