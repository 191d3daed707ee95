# Shared by the Windows tests: Wine on a virtual X server of its own. Source
# it after tests/qt/x11_session.sh (which owns the X server and the scratch
# directory). The Wine prefix is made once per build and kept: a new one
# takes a quarter of a minute. A persistent wineserver, with Wine's services
# started detached from any pipe, makes each program start in a tenth of a
# second and keeps those services from holding a test's output open.

export WINEDEBUG=-all                      # also silences the hint about 32-bit Wine
# No Mono or Gecko install prompts, and no debugger waiting over a program
# that crashed: it just ends, and its test fails.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
export WINEARCH=win64
WINE64=/usr/lib/wine/wine64

# start_wine PREFIX: makes the prefix if needed and starts the server.
start_wine() {
  export WINEPREFIX=$1
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    # One maker at a time: tests may run in parallel.
    (
      flock 9
      if [ ! -f "$WINEPREFIX/system.reg" ]; then
        timeout 300 wineboot --init </dev/null >"$work/wineboot.log" 2>&1 ||
          fail "wineboot failed: $(tail -5 "$work/wineboot.log")"
        timeout 120 wineserver -w
      fi
    ) 9>"$WINEPREFIX.lock"
  fi
  wineserver -p
  timeout 120 "$WINE64" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

stop_wine() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
}
