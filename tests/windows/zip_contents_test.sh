#!/usr/bin/env bash
# The release zip holds what its README.txt promises and nothing else: one
# folder with the card designer, each example's .exe beside its source and
# script, KELTO and FreeType for building programs (with the toolchain file),
# the four licences of what every .exe contains, the documentation with a
# picture for every drawing call, and README.txt with Windows line ends.
# Usage: zip_contents_test.sh <zip> <source dir>
set -euo pipefail
export LC_ALL=C
zip=$(realpath "$1")
source=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

(cd "$work" && cmake -E tar xf "$zip")
folder=$(basename "$zip" .zip)
[ "$(ls "$work")" = "$folder" ] || fail "the zip holds $(ls "$work" | tr '\n' ' '), not one folder $folder"
root=$work/$folder
[ "$(ls "$root" | tr '\n' ' ')" = "README.txt bin doc examples include lib " ] ||
  fail "the folder holds $(ls "$root" | tr '\n' ' ')"

expected=(
  README.txt bin/card_designer.exe
  doc/LICENSE doc/LICENSE.fonts doc/LICENSE.freetype doc/LICENSE.winpthreads
  include/kelto.h include/freetype2/ft2build.h
  lib/libkelto.a lib/libkelto_main.a lib/libfreetype.a lib/cmake/kelto/kelto-config.cmake
  lib/cmake/kelto/mingw-w64-x86_64.cmake
  examples/starter/CMakeLists.txt examples/starter/hello.cpp
)
for example in $(cmake -P "$source/cmake/print_examples.cmake"); do
  expected+=("examples/$example.exe" "examples/$example.cpp" "examples/$example.scr")
done
for file in "${expected[@]}"; do
  [ -s "$root/$file" ] || fail "$file is missing"
done
# No other programs: bin/ and examples/ hold only those above.
for file in "$root"/bin/* "$root"/examples/*; do
  [[ " ${expected[*]} " == *" ${file#"$root"/} "* || $file == "$root/examples/starter" ]] ||
    fail "${file#"$root"/} is not one of the zip's files"
done

# Every line of README.txt ends in CR LF, so that Notepad shows its lines.
lines=$(wc -l <"$root/README.txt")
crlf=$(grep -c $'\r$' "$root/README.txt")
[ "$lines" -gt 10 ] && [ "$crlf" -eq "$lines" ] ||
  fail "README.txt: $crlf of $lines lines end in CR LF"
grep -q 'The FreeType Project' "$root/README.txt" || fail "README.txt does not credit FreeType"

python3 "$source/tests/docs/check_pages.py" "$root/include/kelto.h" "$root/doc/html"
echo "the zip holds $(find "$root" -type f | wc -l) files, as its README says"
