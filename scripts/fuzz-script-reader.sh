#!/usr/bin/env bash
# Builds the script reader's libFuzzer target with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs it for a bounded time from the seed
# corpus. Usage: scripts/fuzz-script-reader.sh [seconds]   (default 60)
# BUILD_DIR chooses the build directory (default build/fuzz).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
build="${BUILD_DIR:-$root/build/fuzz}"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
  -DKELTO_WITH_QT=OFF -DKELTO_FUZZ=ON -DKELTO_SANITIZE=ON -DKELTO_BUILD_BENCH=OFF
ninja -C "$build" script_reader_fuzz

# The fuzzer adds what it finds to a scratch copy, never to the seeds.
corpus="$(mktemp -d)"
trap 'rm -rf "$corpus"' EXIT
cp "$root"/fuzz/corpus/script_reader/* "$corpus"/

# Each input is written to a file: keep that file in memory where possible.
if [[ -d /dev/shm && -w /dev/shm ]]; then export TMPDIR=/dev/shm; fi
"$build/fuzz/script_reader_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -artifact_prefix="$build/" "$corpus"
