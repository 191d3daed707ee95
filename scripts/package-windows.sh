#!/usr/bin/env bash
# package-windows.sh BUILD_DIR CACHE_DIR: the Windows release zip, made from
# the cross build in BUILD_DIR. It holds the card designer and the examples
# as single .exe files, and the KELTO package for building programs on
# Windows with MinGW-w64 (include/, lib/ with FreeType, lib/cmake/kelto).
# Writes BUILD_DIR/kelto-<version>-windows-x86_64.zip and prints its path.
set -euo pipefail
build=$(cd "$1" && pwd)
cache=$(cd "$2" && pwd)
repo=$(cd "$(dirname "$0")/.." && pwd)

version=$(sed -nE 's/^CMAKE_PROJECT_VERSION:STATIC=(.*)$/\1/p' "$build/CMakeCache.txt")
name=kelto-$version-windows-x86_64
stage=$build/package/$name
rm -rf "$build/package"
mkdir -p "$stage/bin"

cmake --install "$build" --prefix "$stage" >/dev/null
# The static FreeType the package's find_dependency(Freetype) finds there.
cp -r "$cache/mingw64/include/freetype2" "$stage/include/"
cp "$cache/mingw64/lib/libfreetype.a" "$stage/lib/"
cp "$build/app/card_designer.exe" "$build"/examples/*.exe "$stage/bin/"
cp -r "$repo/examples/starter" "$stage/starter"
cat >"$stage/README.txt" <<TEXT
KELTO $version for 64-bit Windows

bin\\           the card designer and the example programs: double-click one.
include\\, lib\\ KELTO for your own programs, built with MinGW-w64 (g++ 12 or
               later) and CMake:
                 cmake -S starter -B build -G Ninja -DCMAKE_PREFIX_PATH=<this folder>
                 cmake --build build
starter\\       a program of your own to begin with.
share\\doc\\kelto the licences of KELTO and of its fonts.
TEXT

(cd "$build/package" && cmake -E tar cf "$build/$name.zip" --format=zip "$name")
echo "$build/$name.zip"
