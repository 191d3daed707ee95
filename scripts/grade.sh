#!/usr/bin/env bash
# Runs every program in a folder against one recorded script, as the
# reference program runs, and prints a table of which match it: its exit
# status, its picture (PNG) and its console lines. Each program is one .cpp
# file, or a folder of them, built against the installed KELTO as a replay
# runner (pkg-config kelto-replay; set PKG_CONFIG_PATH if KELTO is installed
# under a prefix of your own).
#
#   scripts/grade.sh reference.cpp students/ KELTO.SCR [runner options...]
#
# Runner options (e.g. --ticks 20 --time 0 --line Ada) are given to every
# run. The outputs stay in ./grading/<name>/ for a closer look.
set -uo pipefail

if [ $# -lt 3 ]; then
  sed -n '2,12p' "$0" | sed 's/^# \{0,1\}//' >&2
  exit 2
fi
reference=$(realpath "$1")
students=$2
script=$(realpath "$3")
shift 3
out=grading
mkdir -p "$out"

if ! pkg-config --exists kelto-replay; then
  echo "pkg-config cannot find kelto-replay: install KELTO (make install PREFIX=...) and" >&2
  echo "set PKG_CONFIG_PATH=<prefix>/lib/pkgconfig" >&2
  exit 2
fi
read -r -a flags <<<"$(pkg-config --cflags --libs --static kelto-replay)"

# Builds and runs one program into $out/<name>; prints its exit status, or
# "no build" when it does not compile.
build_and_run() {
  local name=$1 sources=$2 dir="$out/$1"
  rm -rf "$dir"
  mkdir -p "$dir"
  # shellcheck disable=SC2086
  if ! g++ -std=c++20 -O1 -o "$dir/program" $sources "${flags[@]}" >"$dir/build.log" 2>&1; then
    echo "no build"
    return
  fi
  (cd "$dir" && timeout 60 ./program --script "$script" --png picture.png \
     --console console.txt "${@:3}" >run.log 2>&1)
  echo $?
}

same() { [ -f "$1" ] && [ -f "$2" ] && cmp -s "$1" "$2" && echo match || echo differs; }

reference_status=$(build_and_run reference "$reference" "$@")
if [ "$reference_status" = "no build" ]; then
  echo "the reference program does not build: see $out/reference/build.log" >&2
  exit 2
fi

printf '%-24s %-10s %-10s %-10s\n' program exit picture console
for entry in "$students"/*; do
  name=$(basename "$entry" .cpp)
  if [ -d "$entry" ]; then
    sources=$(find "$entry" -name '*.cpp' -printf '%p ')
  elif [[ $entry == *.cpp ]]; then
    sources=$entry
  else
    continue
  fi
  status=$(build_and_run "$name" "$sources" "$@")
  if [ "$status" = "no build" ]; then
    printf '%-24s %-10s\n' "$name" "no build"
    continue
  fi
  exit_column=$([ "$status" = "$reference_status" ] && echo "$status" || echo "$status!")
  printf '%-24s %-10s %-10s %-10s\n' "$name" "$exit_column" \
    "$(same "$out/reference/picture.png" "$out/$name/picture.png")" \
    "$(same "$out/reference/console.txt" "$out/$name/console.txt")"
done
