#!/usr/bin/env bash
# Succeeds when cross-building for Windows and testing under Wine is possible
# here: MinGW-w64, 64-bit Wine, and the virtual X server and its tools.
command -v x86_64-w64-mingw32-g++-posix >/dev/null && [ -x /usr/lib/wine/wine64 ] &&
  command -v wineboot >/dev/null && command -v wineserver >/dev/null &&
  command -v Xvfb >/dev/null && command -v xdotool >/dev/null && command -v convert >/dev/null
