#!/usr/bin/env bash
# install-deps.sh [--list] TIER...
#
# Installs the Debian packages of the named tiers that are missing. As root
# it uses apt-get; otherwise it names the missing packages and the line that
# installs them, and fails. With --list it prints the tiers' packages, one a
# line, and installs nothing.
#
#   build      building and installing the library, its reference and its
#              programs, and making the Debian package
#   tests      the test suite, the benchmarks and the tests in real windows
#   fuzzing    the fuzzers (scripts/fuzz.sh)
#   web        the web pages and their tests in headless Chromium
#   windows    the Windows build and its tests under Wine
#   packaging  checking the Debian package
set -euo pipefail

usage() {
  echo "usage: $0 [--list] {build|tests|fuzzing|web|windows|packaging}..." >&2
  exit 2
}

# Prints the packages of one tier, one a line.
packages_of() {
  local packages
  case $1 in
    build)
      packages=(
        g++ cmake ninja-build make pkg-config      # the toolchain
        libfreetype-dev fonts-dejavu-core          # text, and the fonts embedded into the library
        libpng-dev                                 # pictures written by the replay runner
        qt6-base-dev libgl1-mesa-dev libxcb1-dev   # the desktop display (XCB: destroyed X windows)
        python3 python3-markdown                   # the reference and the tutorial as HTML
      ) ;;
    tests)
      packages=(
        googletest libgtest-dev libbenchmark-dev   # tests and benchmarks
        xvfb xdotool imagemagick x11-utils         # programs in real windows on a virtual X server
        openbox wmctrl                             # a window manager for those windows
        bubblewrap python3                         # sandboxed runs; the test scripts
      ) ;;
    fuzzing) packages=(clang libclang-rt-14-dev) ;;
    web) packages=(emscripten chromium nodejs) ;;
    windows)
      packages=(
        g++-mingw-w64-x86-64 dpkg-dev googletest   # the cross build; FreeType's and GoogleTest's sources
        wine64 wine fonts-wine                     # its tests (64-bit Wine only: never wine32)
      ) ;;
    packaging) packages=(lintian) ;;
    *)
      echo "install-deps: unknown tier '$1'" >&2
      usage
      ;;
  esac
  printf '%s\n' "${packages[@]}"
}

list=false
if [[ ${1:-} == --list ]]; then
  list=true
  shift
fi
(($# > 0)) || usage

# An unknown tier stops the script here, before anything is installed.
for tier in "$@"; do packages_of "$tier" >/dev/null; done
wanted=()
for tier in "$@"; do mapfile -t -O "${#wanted[@]}" wanted < <(packages_of "$tier"); done
if $list; then
  printf '%s\n' "${wanted[@]}" | awk '!seen[$0]++'
  exit 0
fi

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" &&
    [[ " ${missing[*]} " != *" $package "* ]]; then
    missing+=("$package")
  fi
done
((${#missing[@]} > 0)) || exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "KELTO needs these Debian packages ($*), which are not installed:" >&2
  echo "  ${missing[*]}" >&2
  echo "Install them with:" >&2
  echo "  sudo apt-get install --no-install-recommends ${missing[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# Another apt-get may hold the lock for a while (unattended upgrades, a
# second build on the same machine): wait for it.
apt=(apt-get -o DPkg::Lock::Timeout=600)
"${apt[@]}" update -qq
"${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
