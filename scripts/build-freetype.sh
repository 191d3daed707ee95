#!/usr/bin/env bash
# build-freetype.sh <toolchain> <cache-dir>
#
# Builds a static FreeType for a cross toolchain from Debian's own source
# package and installs it into <cache-dir>/<toolchain>/ (include/freetype2,
# lib/libfreetype.a, lib/cmake/freetype, lib/pkgconfig).
#
#   toolchain  emscripten  WebAssembly for the browser, with Debian's emcmake
#              mingw64     x86_64-w64-mingw32, via cmake/toolchains/mingw-w64-x86_64.cmake
#                          (or $MINGW_TOOLCHAIN_FILE)
#
# The source is the version of the installed libfreetype6 when there is one,
# so text renders exactly as in the native build; else the newest one apt
# knows. It is fetched once with `apt-get source` through a temporary apt
# configuration made from the machine's own sources (Types: deb turned into
# deb-src); the machine's apt configuration, lists and caches are not
# touched. It is unpacked once under <cache-dir>/src/. Each toolchain's
# build is done once: a later run with the same source and options finds the
# stamp and returns at once.
#
# FreeType is built without zlib, bzip2, libpng, HarfBuzz and Brotli, so the
# static library needs nothing else at link time.
#
# Adding a toolchain: write a configure_<name> function below that runs the
# CMake configure step for "$src" into "$build" with "${common_args[@]}", and
# add <name> to the case list.
set -euo pipefail

usage() { echo "usage: $0 <emscripten|mingw64> <cache-dir>" >&2; exit 2; }
(($# == 2)) || usage
toolchain=$1
case $toolchain in
  emscripten | mingw64) ;;
  *) echo "build-freetype: unknown toolchain '$toolchain'" >&2; usage ;;
esac
cache=$(mkdir -p "$2" && cd "$2" && pwd)
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# ---- Toolchain-specific configure steps ------------------------------------

configure_emscripten() {
  # Debian's emcc finds its JavaScript parser (acorn) only through NODE_PATH.
  NODE_PATH=${NODE_PATH:-/usr/share/nodejs} emcmake cmake -S "$src" -B "$build" "${common_args[@]}"
}

configure_mingw64() {
  local toolchain_file=${MINGW_TOOLCHAIN_FILE:-$repo/cmake/toolchains/mingw-w64-x86_64.cmake}
  cmake -S "$src" -B "$build" "${common_args[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain_file"
}

# ---- Shared steps ----------------------------------------------------------

log() { echo "build-freetype: $*" >&2; }

# One run at a time per cache (CI jobs and developers may share it).
exec 9>"$cache/.lock"
flock 9

# The version to build: the installed libfreetype6's, else any.
wanted=$(dpkg-query -W -f='${Version}' libfreetype6 2>/dev/null || true)

# Fetches and unpacks the source once.
fetch_source() {
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT
  mkdir -p "$tmp/sources.list.d" "$tmp/lists/partial" "$tmp/cache/archives/partial"
  local n=0 f
  for f in /etc/apt/sources.list.d/*.sources; do
    [[ -e $f ]] || continue
    # Every stanza becomes a source stanza (Types: deb [deb-src] -> deb-src).
    sed -E 's/^Types:.*$/Types: deb-src/' "$f" >"$tmp/sources.list.d/$(basename "$f")"
    n=$((n + 1))
  done
  if [[ -f /etc/apt/sources.list ]] && grep -qE '^deb ' /etc/apt/sources.list; then
    sed -nE 's/^deb /deb-src /p' /etc/apt/sources.list >"$tmp/sources.list.d/main.list"
    n=$((n + 1))
  fi
  ((n > 0)) || { log "no apt sources found under /etc/apt"; return 1; }
  # The _apt sandbox user must be able to write where apt downloads.
  chmod -R a+rwX "$tmp"
  local apt_opts=(
    -o Dir::Etc::SourceList=/dev/null
    -o Dir::Etc::SourceParts="$tmp/sources.list.d"
    -o Dir::State::Lists="$tmp/lists"
    -o Dir::Cache="$tmp/cache"
  )
  log "fetching the freetype source package ${wanted:-(newest)}"
  apt-get "${apt_opts[@]}" -q update >&2
  local work="$cache/src/.work"
  rm -rf "$work"
  mkdir -p "$work"
  chmod a+rwx "$work"
  if ! (cd "$work" && apt-get "${apt_opts[@]}" -q source "freetype${wanted:+=$wanted}" >&2); then
    [[ -n $wanted ]] || return 1
    log "version $wanted is not offered; taking the newest one"
    (cd "$work" && apt-get "${apt_opts[@]}" -q source freetype >&2)
  fi
  local dir
  dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'freetype-*' | head -n1)
  [[ -n $dir && -f $dir/CMakeLists.txt ]] || { log "unpacked source not found"; return 1; }
  rm -rf "$cache/src/$(basename "$dir")"
  mv "$dir" "$cache/src/"
  basename "$dir" >"$cache/src/.unpacked"
  echo "$wanted" >"$cache/src/.wanted"
  rm -rf "$work"
}

unpacked_dir() { cat "$cache/src/.unpacked" 2>/dev/null || true; }
if [[ -z $(unpacked_dir) || ! -d $cache/src/$(unpacked_dir) ||
      $(cat "$cache/src/.wanted" 2>/dev/null) != "$wanted" ]]; then
  mkdir -p "$cache/src"
  fetch_source
fi
src=$cache/src/$(unpacked_dir)
build=$cache/build/$toolchain
prefix=$cache/$toolchain

common_args=(
  -G "$(command -v ninja >/dev/null && echo Ninja || echo 'Unix Makefiles')"
  -DCMAKE_BUILD_TYPE=Release
  -DCMAKE_INSTALL_PREFIX="$prefix"
  -DCMAKE_INSTALL_LIBDIR=lib
  -DBUILD_SHARED_LIBS=OFF
  -DFT_DISABLE_ZLIB=ON
  -DFT_DISABLE_BZIP2=ON
  -DFT_DISABLE_PNG=ON
  -DFT_DISABLE_HARFBUZZ=ON
  -DFT_DISABLE_BROTLI=ON
)

# The stamp records what was built; anything different rebuilds.
stamp_text="$(basename "$src") ${common_args[*]}"
stamp=$prefix/.built
if [[ -f $stamp && $(cat "$stamp") == "$stamp_text" && -f $prefix/lib/libfreetype.a ]]; then
  log "$toolchain: up to date in $prefix"
  exit 0
fi

log "$toolchain: building $(basename "$src") into $prefix"
# The prefix is shared with other cross-built packages: remove only FreeType's.
rm -rf "$build" "$prefix/include/freetype2" "$prefix/lib/libfreetype.a" \
  "$prefix/lib/cmake/freetype" "$prefix/lib/pkgconfig/freetype2.pc"
"configure_$toolchain" >&2
nice -n 10 cmake --build "$build" --parallel "$(nproc)" >&2
cmake --install "$build" >&2
[[ -f $prefix/lib/libfreetype.a && -f $prefix/include/freetype2/ft2build.h ]] ||
  { log "install did not produce lib/libfreetype.a and include/freetype2"; exit 1; }
echo "$stamp_text" >"$stamp"
log "$toolchain: done"
