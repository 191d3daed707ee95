#!/usr/bin/env bash
# web-class.sh <programs-folder> <site-folder>
#
# Puts a class's KELTO programs on a web site: every <name>.cpp in
# <programs-folder> becomes <site-folder>/<name>.html (with its .js and
# .wasm), and <site-folder>/index.html lists them. A program that does not
# build is listed as such, with its compiler messages in <name>.log; the
# others are still built. Serve <site-folder> with any static web server;
# .wasm files must be served as application/wasm.
#
# Needs Emscripten (scripts/install-deps.sh installs it). FreeType for the
# browser is built once and cached under build/cache of this checkout.
set -euo pipefail

(($# == 2)) || { echo "usage: $0 <programs-folder> <site-folder>" >&2; exit 2; }
programs=$(cd "$1" && pwd)
site=$(mkdir -p "$2" && cd "$2" && pwd)
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$site/.build
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}  # Debian's emcc finds acorn through it

shopt -s nullglob
sources=("$programs"/*.cpp)
((${#sources[@]} > 0)) || { echo "no .cpp files in $programs" >&2; exit 1; }

"$repo/scripts/build-freetype.sh" emscripten "$repo/build/cache"

# One CMake project with KELTO as a subproject and one target per program;
# a name becomes a target name, so anything but letters, digits and _ is _.
names=()
mkdir -p "$build"
{
  echo "cmake_minimum_required(VERSION 3.25)"
  echo "project(kelto_class LANGUAGES C CXX)"
  echo "add_subdirectory(\"$repo\" kelto)"
  for source in "${sources[@]}"; do
    name=$(basename "$source" .cpp | tr -c 'A-Za-z0-9_\n' '_')
    names+=("$name")
    echo "kelto_add_program($name \"$source\")"
    echo "set_target_properties($name PROPERTIES EXCLUDE_FROM_ALL ON)"
  done
} >"$build/CMakeLists.txt"

emcmake cmake -S "$build" -B "$build/out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_FIND_ROOT_PATH="$repo/build/cache/emscripten" >/dev/null

# Each program on its own, so that one that does not build keeps its messages.
built=()
for name in "${names[@]}"; do
  if nice cmake --build "$build/out" --target "$name" -j "$(nproc)" >"$site/$name.log" 2>&1; then
    cp "$build/out/$name".{html,js,wasm} "$site/"
    rm "$site/$name.log"
    built+=("$name")
  else
    echo "$name did not build: see $site/$name.log" >&2
  fi
done
cp "$build/out"/kelto_web.{js,css} "$site/"

# The index: one link per program.
{
  echo '<!DOCTYPE html>'
  echo '<html lang="en"><head><meta charset="utf-8"><link rel="icon" href="data:,">'
  echo '<title>Our KELTO programs</title><link rel="stylesheet" href="kelto_web.css"></head>'
  echo '<body><header class="kelto-page-bar"><h1>Our KELTO programs</h1></header><ul class="kelto-index">'
  for name in "${names[@]}"; do
    if [[ -f $site/$name.html ]] && [[ " ${built[*]} " == *" $name "* ]]; then
      echo "<li><a href=\"$name.html\">$name</a></li>"
    else
      echo "<li>$name (did not build: <a href=\"$name.log\">messages</a>)</li>"
    fi
  done
  echo '</ul></body></html>'
} >"$site/index.html"
echo "${#built[@]} of ${#names[@]} programs are on $site/index.html"
