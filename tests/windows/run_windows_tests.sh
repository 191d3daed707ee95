#!/usr/bin/env bash
# run_windows_tests.sh BUILD_DIR [CTEST ARGS...]: runs the cross-built test suite under Wine,
# on one virtual X server and one Wine server shared by every test: the
# library's tests on the headless display, the Win32 display's own tests and
# the end-to-end tests in real windows (these run one at a time). The Wine
# prefix is kept in BUILD_DIR/wine-prefix for the next run.
set -euo pipefail
trap 'echo "run_windows_tests: stopped at line $LINENO" >&2' ERR
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

source "$here/../qt/x11_session.sh"
source "$here/wine_session.sh"
trap 'stop_wine; cleanup' EXIT

start_x_server
start_wine "$build/wine-prefix"
# A wedged Wine program must not hold the run: ctest's own limits are per
# test, this one is for the whole run.
timeout 1500 ctest --test-dir "$build" -j "$(nproc)" --output-on-failure --timeout 300 "${@:2}"
