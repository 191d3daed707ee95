#!/usr/bin/env bash
# build-googletest.sh <toolchain> <cache-dir>
#
# Cross-builds GoogleTest (gtest, gtest_main, gmock) from Debian's googletest
# package (/usr/src/googletest) and installs it into <cache-dir>/<toolchain>/,
# beside the FreeType of build-freetype.sh, so find_package(GTest) finds it
# (lib/cmake/GTest). Done once; a later run finds the stamp and returns.
#
#   toolchain  mingw64   x86_64-w64-mingw32, via cmake/toolchains/mingw-w64-x86_64.cmake
set -euo pipefail

usage() { echo "usage: $0 <mingw64> <cache-dir>" >&2; exit 2; }
(($# == 2)) || usage
toolchain=$1
case $toolchain in
  mingw64) ;;
  *) echo "build-googletest: unknown toolchain '$toolchain'" >&2; usage ;;
esac
cache=$(mkdir -p "$2" && cd "$2" && pwd)
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
src=/usr/src/googletest

configure_mingw64() {
  cmake -S "$src" -B "$build" "${common_args[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="${MINGW_TOOLCHAIN_FILE:-$repo/cmake/toolchains/mingw-w64-x86_64.cmake}"
}
[[ -f $src/CMakeLists.txt ]] || { echo "build-googletest: $src missing (apt-get install googletest)" >&2; exit 1; }

exec 9>"$cache/.lock"
flock 9

build=$cache/build/googletest-$toolchain
prefix=$cache/$toolchain
common_args=(
  -G "$(command -v ninja >/dev/null && echo Ninja || echo 'Unix Makefiles')"
  -DCMAKE_BUILD_TYPE=Release
  -DCMAKE_INSTALL_PREFIX="$prefix"
  -DCMAKE_INSTALL_LIBDIR=lib
  -DBUILD_SHARED_LIBS=OFF
  -DINSTALL_GTEST=ON
)
stamp_text="googletest $(dpkg-query -W -f='${Version}' googletest) ${common_args[*]}"
stamp=$prefix/.googletest-built
if [[ -f $stamp && $(cat "$stamp") == "$stamp_text" ]]; then
  echo "build-googletest: $toolchain: up to date in $prefix" >&2
  exit 0
fi

rm -rf "$build"
"configure_$toolchain" >&2
nice -n 10 cmake --build "$build" --parallel "$(nproc)" >&2
cmake --install "$build" >&2
echo "$stamp_text" >"$stamp"
echo "build-googletest: $toolchain: done" >&2
