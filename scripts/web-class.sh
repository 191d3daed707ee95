#!/usr/bin/env bash
# web-class.sh <programs-folder> <site-folder> [--build-dir DIR] [--jobs N] [--no-sandbox]
#
# Puts a class's KELTO programs on a web site: every <name>.cpp (or folder
# of .cpp files) in <programs-folder> becomes <site-folder>/<name>.html
# (with its .js and .wasm), and <site-folder>/index.html lists them. A
# program that does not build is listed as such, with its compiler messages
# in <name>.log; the others are still built. Serve <site-folder> with any
# static web server; .wasm files must be served as application/wasm.
#
# Students' code is built as kelto-grade builds it: each program in a
# bubblewrap sandbox of its own (no network, no view of your files), with
# KELTO for the browser, built once from this checkout, and Debian's
# Emscripten cache read-only. --no-sandbox builds with your own rights,
# where bubblewrap cannot run. --jobs N builds N at once (default: the
# number of cores).
#
# Nothing is built in <site-folder>: each program builds in its sandbox's
# own work folder, and KELTO for the browser in --build-dir, by default this
# checkout's browser build, build/web (the one make web makes, so after
# make web nothing more is built for it). FreeType for the browser is built
# once and cached under build/cache of this checkout. Needs Emscripten and
# bubblewrap (scripts/install-deps.sh installs them).
set -euo pipefail

usage() {
  echo "usage: $0 <programs-folder> <site-folder> [--build-dir DIR] [--jobs N] [--no-sandbox]" >&2
  exit 2
}
(($# >= 2)) || usage
programs=$(cd "$1" && pwd)
site=$(mkdir -p "$2" && cd "$2" && pwd)
shift 2
build=
pages_options=()
while (($# > 0)); do
  case $1 in
    --build-dir) (($# >= 2)) || usage; build=$2; shift 2 ;;
    --jobs) (($# >= 2)) || usage; pages_options+=(--jobs "$2"); shift 2 ;;
    --no-sandbox) pages_options+=(--no-sandbox); shift ;;
    *) usage ;;
  esac
done
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${build:-$repo/build/web}
mkdir -p "$build"
build=$(cd "$build" && pwd)
case $build/ in
  "$site"/*) echo "the build folder $build must lie outside the site $site" >&2; exit 2 ;;
esac
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}  # Debian's emcc finds acorn through it

"$repo/scripts/build-freetype.sh" emscripten "$repo/build/cache"

# KELTO for the browser, once: the library of this checkout's browser
# build (the one make web makes), which also writes how a program links it.
(cd "$repo" && cmake --preset web -B "$build" >/dev/null)
nice cmake --build "$build" --target kelto kelto_main -j "$(nproc)" >/dev/null

# Each student's program in a sandbox of its own; then the index.
PYTHONPATH="$repo/tools/grade" python3 -B -m kelto_grade.pages "$build/program-flags.txt" \
  "$programs" "$site" ${pages_options[@]+"${pages_options[@]}"}
cp "$repo/lib/platform/web/page"/kelto_web.{js,css} "$site/"
