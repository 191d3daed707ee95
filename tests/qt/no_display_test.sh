#!/usr/bin/env bash
# A KELTO program started where no window can open says so in one line and
# ends with status 1: once with no display set, once with one that cannot be
# reached. Usage: no_display_test.sh <program>
set -uo pipefail
program=$1
fail=0

check() {
  local what=$1
  shift
  local err status lines
  err=$(env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY "$@" "$program" 2>&1 >/dev/null)
  status=$?
  lines=$(printf '%s\n' "$err" | grep -c .)
  if [[ $status -ne 1 || $lines -ne 1 || $err != "KELTO cannot open its windows: "*xvfb-run.* ]]; then
    echo "FAIL ($what): status $status, $lines line(s):"
    printf '%s\n' "$err"
    fail=1
  else
    echo "ok ($what): $err"
  fi
}

check "no display set" env -u DISPLAY
check "unreachable display" env DISPLAY=:97
exit $fail
