#!/usr/bin/env bash
# Builds programs against the prefix that clean_tree.sh installed, as a user
# outside the repository would: the installed starter folder with
# find_package(kelto) and its replay runner on a script; a small program with
# find_package and with pkg-config, run on Qt's offscreen platform and as a
# replay runner. Checks that the prefix holds the documentation, with a
# picture for every drawing call, and the examples' sources; that
# scripts/grade.sh grades against it; that KELTO as a subproject brings only
# the library; and that the header alone compiles as C.
# Usage: install_test.sh <prefix> <source dir>
set -euo pipefail
prefix=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
doc=$prefix/share/doc/kelto

echo "== the documentation, the examples and the licences"
python3 "$source/tests/docs/check_pages.py" "$prefix/include/kelto.h" "$doc/html"
for file in LICENSE LICENSE.fonts LICENSE.freetype examples/starter/CMakeLists.txt; do
  [ -s "$doc/$file" ] || { echo "$doc/$file is missing"; exit 1; }
done
examples=$(cmake -P "$source/cmake/print_examples.cmake")
for example in $examples; do
  [ -s "$doc/examples/$example.cpp" ] && [ -s "$doc/examples/$example.scr" ] ||
    { echo "the example $example is not in $doc/examples"; exit 1; }
done

echo "== find_package: the installed starter folder, and its replay runner"
cp -r "$doc/examples/starter" "$work/starter"
cmake -S "$work/starter" -B "$work/starter/build" -G Ninja \
  -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/starter/build" >/dev/null
echo 'KELTO_MOUSE(100, 50);' >"$work/starter.scr"
"$work/starter/build/hello-replay" --script "$work/starter.scr" --png "$work/starter.png"
[ -s "$work/starter.png" ] || { echo "the starter's runner wrote no picture"; exit 1; }

echo "== find_package: a program that takes one periodic event"
cmake -S "$source/tests/install/one_tick" -B "$work/one_tick" -G Ninja \
  -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/one_tick" >/dev/null
"$work/one_tick/one_tick"

echo "== pkg-config: the same program, and as a replay runner"
export PKG_CONFIG_PATH="$prefix/lib/pkgconfig"
# shellcheck disable=SC2046
g++ -std=c++20 -o "$work/one_tick_pc" "$source/tests/install/one_tick/one_tick.cpp" \
  $(pkg-config --cflags --libs --static kelto)
"$work/one_tick_pc"
# shellcheck disable=SC2046
g++ -std=c++20 -o "$work/one_tick_replay" "$source/tests/install/one_tick/one_tick.cpp" \
  $(pkg-config --cflags --libs --static kelto-replay)
echo 'KELTO_KBD(97);' >"$work/one_tick.scr"
"$work/one_tick_replay" --script "$work/one_tick.scr" --ticks 1

echo "== kelto-grade, installed, and scripts/grade.sh: a class graded against a reference run"
[ -x "$prefix/bin/kelto-grade" ] || { echo "kelto-grade was not installed"; exit 1; }
"$prefix/bin/kelto-grade" --check >/dev/null
mkdir -p "$work/class"
cp "$source/examples/click_to_draw.cpp" "$work/class/same.cpp"
sed 's/BLUE/GREEN/' "$source/examples/click_to_draw.cpp" >"$work/class/green.cpp"
echo 'int broken(' >"$work/class/broken.cpp"
table=$(cd "$work" && "$source/scripts/grade.sh" "$source/examples/click_to_draw.cpp" class \
  "$source/examples/scripts/click_to_draw.scr" --ticks 2) || [ $? -eq 1 ]
grep -Eq '^same +built +finished +identical +identical$' <<<"$table" || { echo "$table"; exit 1; }
grep -Eq '^green +built +finished +[0-9]+ pixels differ +identical$' <<<"$table" ||
  { echo "$table"; exit 1; }
grep -Eq '^broken +does not build' <<<"$table" || { echo "$table"; exit 1; }

echo "== add_subdirectory: only the library is built"
mkdir -p "$work/sub"
cat >"$work/sub/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(uses_kelto LANGUAGES CXX)
add_subdirectory("$source" kelto)
add_executable(one_tick "$source/tests/install/one_tick/one_tick.cpp")
target_link_libraries(one_tick PRIVATE kelto::kelto kelto::main)
CMAKE
cmake -S "$work/sub" -B "$work/sub/build" -G Ninja >/dev/null
targets=$(ninja -C "$work/sub/build" -t targets all)
for unwanted in card_designer ask_name _test _bench picture_ kelto_docs; do
  if grep -q "$unwanted" <<<"$targets"; then
    echo "a subproject build makes $unwanted targets"
    exit 1
  fi
done

echo "== the header alone compiles as C"
echo '#include <kelto.h>' | gcc -std=c99 -Wall -Wextra -pedantic -Werror -x c -c \
  -I"$prefix/include" -o /dev/null -
echo "installed and used"
