#!/usr/bin/env bash
# deb_test.sh <folder holding kelto_*.deb>
#
# The Debian package as a teacher uses it: lintian finds no errors in it; it
# installs with apt-get; the installed starter folder builds against /usr
# with find_package(kelto) and the same program with pkg-config, with nothing
# to say where KELTO is; its replay runner plays a script; and the package
# removes cleanly. It changes the machine's /usr, so it runs as root and
# alone, and removes the package again even when it fails. On a machine
# where a kelto package is installed already it does nothing (exit 77).
set -euo pipefail
deb=$(realpath "$1"/kelto_*.deb)

if [ "$(id -u)" -ne 0 ]; then
  echo "installing a package needs root: skipped"
  exit 77
fi
if dpkg-query -W -f='${Status}' kelto 2>/dev/null | grep -q "install ok installed"; then
  echo "a kelto package is installed on this machine already (apt-get remove kelto): skipped"
  exit 77
fi

work=$(mktemp -d)
apt=(apt-get -o DPkg::Lock::Timeout=600 -y -qq)
cleanup() {
  if dpkg-query -W kelto >/dev/null 2>&1; then
    DEBIAN_FRONTEND=noninteractive "${apt[@]}" purge kelto >/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

echo "== lintian: no errors"
lintian --fail-on error --no-tag-display-limit "$deb"

echo "== apt-get install $(basename "$deb")"
# apt's download user reads the package from a folder it may enter.
cp "$deb" "$work/"
chmod a+rx "$work"
DEBIAN_FRONTEND=noninteractive "${apt[@]}" install "$work/$(basename "$deb")" >/dev/null
[ -s /usr/include/kelto.h ] || { echo "/usr/include/kelto.h is missing"; exit 1; }
[ -s /usr/share/doc/kelto/copyright ] || { echo "the copyright file is missing"; exit 1; }
for licence in Expat Bitstream-Vera FTL; do
  grep -q "^License: $licence$" /usr/share/doc/kelto/copyright ||
    { echo "the copyright file lacks the $licence licence"; exit 1; }
done
[ -s /usr/share/doc/kelto/html/reference.html ] || { echo "the reference is missing"; exit 1; }
[ -x /usr/bin/kelto-grade ] || { echo "kelto-grade is missing"; exit 1; }
/usr/bin/kelto-grade --help >/dev/null || { echo "the installed kelto-grade does not start"; exit 1; }

echo "== find_package(kelto) from /usr: the starter and its replay runner"
cp -r /usr/share/doc/kelto/examples/starter "$work/starter"
cmake -S "$work/starter" -B "$work/starter/build" -G Ninja >/dev/null
cmake --build "$work/starter/build" >/dev/null
printf 'KELTO_MOUSE(100, 50);\nKELTO_PERIODIC(2);\n' >"$work/hello.scr"
"$work/starter/build/hello-replay" --script "$work/hello.scr" --png "$work/hello.png"
[ -s "$work/hello.png" ] || { echo "the replay runner wrote no picture"; exit 1; }

echo "== pkg-config kelto from /usr: the same program"
# shellcheck disable=SC2046
g++ -std=c++20 -o "$work/hello" "$work/starter/hello.cpp" $(pkg-config --cflags --libs --static kelto)
# shellcheck disable=SC2046
g++ -std=c++20 -o "$work/hello-replay" "$work/starter/hello.cpp" \
  $(pkg-config --cflags --libs --static kelto-replay)
"$work/hello-replay" --script "$work/hello.scr" --png "$work/hello-pc.png"
cmp "$work/hello.png" "$work/hello-pc.png" ||
  { echo "the two ways of building drew different pictures"; exit 1; }

echo "== apt-get remove kelto"
DEBIAN_FRONTEND=noninteractive "${apt[@]}" remove kelto >/dev/null
if [ -e /usr/include/kelto.h ] || [ -e /usr/bin/kelto-grade ] || pkg-config --exists kelto; then
  echo "the package left KELTO behind"
  exit 1
fi
echo "installed, used and removed"
