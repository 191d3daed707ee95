#!/usr/bin/env bash
# Kept for the command lines written for it: runs kelto-grade (which the
# library installs; see docs/grading.md) from this checkout. As before,
# options after the script go to every run of the replay runner:
#
#   scripts/grade.sh reference.cpp students/ KELTO.SCR [runner options...]
#
# Where the arguments hold a "--", they are kelto-grade's own, unchanged.
set -euo pipefail
grade=$(cd "$(dirname "${BASH_SOURCE[0]}")/../tools/grade" && pwd)/kelto-grade

for argument in "$@"; do
  [ "$argument" = -- ] && exec "$grade" "$@"
done
if [ $# -gt 3 ]; then
  exec "$grade" "$1" "$2" "$3" -- "${@:4}"
fi
exec "$grade" "$@"
