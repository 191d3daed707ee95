#!/usr/bin/env bash
# Installs the built library into a temporary prefix and builds programs
# against it as a user outside the repository would: the starter folder and a
# small program with find_package(kelto), and the same program with
# pkg-config. The small program runs on Qt's offscreen platform. Also checks
# that KELTO as a subproject brings only the library.
# Usage: install_test.sh <build dir> <source dir>
set -euo pipefail
build=$1
source=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
export QT_QPA_PLATFORM=offscreen

echo "== find_package: the starter folder, and its replay runner"
cmake -S "$source/examples/starter" -B "$work/starter" -G Ninja \
  -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/starter" >/dev/null
echo 'KELTO_MOUSE(100, 50);' >"$work/starter.scr"
"$work/starter/hello-replay" --script "$work/starter.scr" --png "$work/starter.png"
[ -s "$work/starter.png" ] || { echo "the starter's runner wrote no picture"; exit 1; }

echo "== find_package: a program that takes one periodic event"
cmake -S "$source/tests/install" -B "$work/one_tick" -G Ninja \
  -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/one_tick" >/dev/null
"$work/one_tick/one_tick"

echo "== pkg-config: the same program, and as a replay runner"
export PKG_CONFIG_PATH="$work/prefix/lib/pkgconfig"
# shellcheck disable=SC2046
g++ -std=c++20 -o "$work/one_tick_pc" "$source/tests/install/one_tick.cpp" \
  $(pkg-config --cflags --libs --static kelto)
"$work/one_tick_pc"
g++ -std=c++20 -o "$work/one_tick_replay" "$source/tests/install/one_tick.cpp" \
  $(pkg-config --cflags --libs --static kelto-replay)
echo 'KELTO_KBD(97);' >"$work/one_tick.scr"
"$work/one_tick_replay" --script "$work/one_tick.scr" --ticks 1

echo "== kelto-grade, installed, and scripts/grade.sh: a class graded against a reference run"
[ -x "$work/prefix/bin/kelto-grade" ] || { echo "kelto-grade was not installed"; exit 1; }
"$work/prefix/bin/kelto-grade" --check >/dev/null
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
cat > "$work/sub/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(uses_kelto LANGUAGES CXX)
add_subdirectory("$source" kelto)
add_executable(one_tick "$source/tests/install/one_tick.cpp")
target_link_libraries(one_tick PRIVATE kelto::kelto kelto::main)
CMAKE
cmake -S "$work/sub" -B "$work/sub/build" -G Ninja >/dev/null
targets=$(ninja -C "$work/sub/build" -t targets all)
for unwanted in card_designer ask_name _test _bench; do
  if grep -q "$unwanted" <<<"$targets"; then
    echo "a subproject build makes $unwanted targets"
    exit 1
  fi
done

echo "== the header alone compiles as C"
echo '#include <kelto.h>' | gcc -std=c99 -Wall -Wextra -pedantic -Werror -x c -c \
  -I"$work/prefix/include" -o /dev/null -
echo "installed and used"
