#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for a bounded time, starting from
# its seed corpus where it has one (fuzz/corpus/<target>).
# Usage: scripts/fuzz.sh [seconds per target] [target...]
#   default: 60 seconds each for script_reader and draw_calls
# BUILD_DIR chooses the build directory (default build/fuzz).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
targets=("${@:2}")
[ ${#targets[@]} -gt 0 ] || targets=(script_reader draw_calls)
build="${BUILD_DIR:-$root/build/fuzz}"

"$root/scripts/install-deps.sh" build fuzzing

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
  -DKELTO_WITH_QT=OFF -DKELTO_FUZZ=ON -DKELTO_SANITIZE=ON -DKELTO_BUILD_BENCH=OFF
ninja -C "$build" "${targets[@]/%/_fuzz}"

# Each fuzzer adds what it finds to a scratch copy, never to the seeds.
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
# The script reader writes each input to a file: keep that file in memory where possible.
if [[ -d /dev/shm && -w /dev/shm ]]; then export TMPDIR=/dev/shm; fi

for target in "${targets[@]}"; do
  corpus="$scratch/$target"
  mkdir -p "$corpus"
  if [[ -d "$root/fuzz/corpus/$target" ]]; then cp "$root/fuzz/corpus/$target"/* "$corpus"/; fi
  echo "Fuzzing $target for $seconds seconds"
  "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/$target-" "$corpus"
done
