#!/usr/bin/env bash
# A program cross-built against the unzipped release folder as its README.txt
# says (only CMAKE_PREFIX_PATH and the toolchain file the zip carries), run
# under Wine: it opens its windows, takes one periodic event and ends with
# status 0.
# Usage: zip_build_test.sh <zip> <source dir>
set -euo pipefail
zip=$(realpath "$1")
source=$(cd "$2" && pwd)
here=$(dirname "$0")
source "$here/../qt/x11_session.sh"
source "$here/wine_session.sh"
source "$here/wine_program.sh"

(cd "$work" && cmake -E tar xf "$zip")
folder=$work/$(basename "$zip" .zip)
cmake -S "$source/tests/install/one_tick" -B "$work/build" -G Ninja \
  -DCMAKE_PREFIX_PATH="$folder" \
  -DCMAKE_TOOLCHAIN_FILE="$folder/lib/cmake/kelto/mingw-w64-x86_64.cmake" >"$work/configure.log" 2>&1 ||
  fail "configuring against the zip failed: $(tail -20 "$work/configure.log")"
cmake --build "$work/build" >"$work/build.log" 2>&1 || fail "building failed: $(tail -20 "$work/build.log")"

start_windows_program "$work/build/one_tick.exe"
await_exit "the program built against the zip"
echo "a program built against the unzipped folder ran under Wine"
