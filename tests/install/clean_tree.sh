#!/usr/bin/env bash
# clean_tree.sh <source dir> <work dir> [cmake arguments...]
#
# What a teacher does on a fresh clone, in a work folder that starts empty:
# "make install PREFIX=<work>/prefix" and "make deb", building in a tree of
# their own, <work>/build, so that they must build everything they install.
# The card designer and the examples are left out (they are not installed),
# to keep the test short. Also checks that they ask only for the build tier
# of packages, which holds none of the browser's, Windows' or fuzzers' tools.
# Leaves <work>/prefix and <work>/kelto_<version>_amd64.deb to the tests that
# use them.
set -euo pipefail
source=$(cd "$1" && pwd)
rm -rf "$2"
mkdir -p "$2"
work=$(cd "$2" && pwd)
shift 2
# The make running the tests must not lend its job server to these.
unset MAKEFLAGS MFLAGS MAKELEVEL

echo "== the build tier names no browser, Windows or fuzzing tools"
build_tier=$("$source/scripts/install-deps.sh" --list build)
if grep -Ei 'emscripten|chromium|nodejs|wine|mingw|clang' <<<"$build_tier"; then
  echo "the build tier holds the packages above"
  exit 1
fi

make_args=(-C "$source" --no-print-directory USER_BUILD="$work/build" DEB_DIR="$work"
  CMAKE_ARGS="-DKELTO_BUILD_APP=OFF -DKELTO_BUILD_EXAMPLES=OFF $*")
for target in install deb; do
  tiers=$(make -n "${make_args[@]}" PREFIX="$work/prefix" "$target" | grep -o 'install-deps.sh.*' | sort -u)
  if [ "$tiers" != "install-deps.sh build" ]; then
    echo "make $target asks for other packages than the build tier's: $tiers"
    exit 1
  fi
done

echo "== make install, from an empty build tree"
nice make "${make_args[@]}" PREFIX="$work/prefix" install >"$work/install.log" ||
  { tail -n 40 "$work/install.log"; exit 1; }
echo "== make deb, from the same tree"
nice make "${make_args[@]}" deb
