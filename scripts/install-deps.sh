#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing KELTO need.
# Idempotent: only missing packages are installed. As root it uses apt-get;
# otherwise it names the missing packages and how to install them.
set -euo pipefail

packages=(
  g++ cmake ninja-build make pkg-config   # toolchain
  libfreetype-dev fonts-dejavu-core       # text rendering and the embedded fonts
  libpng-dev                              # pictures written by the replay runner
  qt6-base-dev libgl1-mesa-dev libxcb1-dev # the desktop back end (XCB: destroyed X windows)
  googletest libgtest-dev libbenchmark-dev # tests and benchmarks
  clang libclang-rt-14-dev                # the fuzzers
  xvfb xdotool imagemagick x11-utils      # the end-to-end tests in a virtual X server
  emscripten chromium nodejs              # the web pages and their tests in headless Chromium
  g++-mingw-w64-x86-64 dpkg-dev          # the Windows build (FreeType from Debian's source)
  wine64 wine fonts-wine                  # the Windows tests (64-bit Wine only: never wine32)
  bubblewrap python3                      # kelto-grade: students' programs built and run in a sandbox
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "KELTO needs these Debian packages, which are not installed:" >&2
  echo "  ${missing[*]}" >&2
  echo "Install them with:  sudo apt-get install ${missing[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
