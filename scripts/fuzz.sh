#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs them, starting from each one's corpus
# in the tree (fuzz/corpus/<target>).
#
# Usage: scripts/fuzz.sh [seconds per target] [target...]
#   A bounded run, as CI does: default 60 seconds each for script_reader and
#   draw_calls. What the fuzzers find goes to a scratch copy, never to the tree.
#
# Usage: scripts/fuzz.sh --campaign [target[=executions]...]
#   A campaign: each fuzzer in turn, at low priority, until it has run its
#   number of inputs (default 10 million for script_reader, 1 million for
#   draw_calls) or found a fault. Its inputs are kept in
#   <build>/campaign/<target>/corpus for the next campaign, its findings go
#   to <build>/campaign/<target>/findings, and the corpus in the tree is
#   minimized afresh from the old one and all the campaign found. Ends with a
#   report of executions and findings; exits non-zero if anything was found.
#
# BUILD_DIR chooses the build directory (default build/fuzz).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${BUILD_DIR:-$root/build/fuzz}"
declare -A campaign_runs=([script_reader]=10000000 [draw_calls]=1000000)

build_targets() {
  "$root/scripts/install-deps.sh" build fuzzing
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
    -DKELTO_WITH_QT=OFF -DKELTO_FUZZ=ON -DKELTO_SANITIZE=ON -DKELTO_BUILD_BENCH=OFF >/dev/null
  nice ninja -C "$build" "${@/%/_fuzz}"
}

# The script reader writes each input to a file: keep that file in memory where possible.
if [[ -d /dev/shm && -w /dev/shm ]]; then export TMPDIR=/dev/shm; fi

# ---- A bounded run.
bounded_run() {
  local seconds=$1 targets=("${@:2}")
  [ ${#targets[@]} -gt 0 ] || targets=(script_reader draw_calls)
  build_targets "${targets[@]}"
  scratch="$(mktemp -d)"
  trap 'rm -rf "$scratch"' EXIT
  for target in "${targets[@]}"; do
    local corpus="$scratch/$target"
    mkdir -p "$corpus"
    if [[ -d "$root/fuzz/corpus/$target" ]]; then cp "$root/fuzz/corpus/$target"/* "$corpus"/; fi
    echo "Fuzzing $target for $seconds seconds"
    "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$build/$target-" "$corpus"
  done
}

# ---- A campaign.

# Runs one fuzzer to its number of executions; sets `executions` and `findings`.
campaign_one() {
  local target=$1 runs=$2
  local work="$build/campaign/$target"
  local seeds="$root/fuzz/corpus/$target"
  mkdir -p "$work/corpus" "$work/findings" "$seeds"
  # New inputs are added to the first folder only; the tree's seeds are read.
  local status=0
  nice -n 15 "$build/fuzz/${target}_fuzz" -runs="$runs" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$work/findings/" "$work/corpus" "$seeds" \
    >"$work/fuzz.log" 2>&1 || status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.log" | tail -n 1)
  # A run ended by a fault prints no final statistics: count its executions
  # from its last progress line.
  if [ -z "$executions" ]; then
    executions=$(grep -oE '^#[0-9]+' "$work/fuzz.log" | tail -n 1 | tr -d '#')
  fi
  executions=${executions:-0}
  findings=$(find "$work/findings" -type f | wc -l)
  if [ "$status" -ne 0 ] && [ "$findings" -eq 0 ]; then
    echo "$target: the fuzzer failed (status $status); see $work/fuzz.log" >&2
    findings=1
  fi
}

# Replaces the tree's corpus by the smallest set of the old one and the
# campaign's inputs that reaches everything they reach together. The
# hand-written seeds (*.scr) stay whatever they add. Sets `corpus_files`.
minimize_into_tree() {
  local target=$1
  local work="$build/campaign/$target" seeds="$root/fuzz/corpus/$target"
  local merged="$work/merged"
  rm -rf "$merged"
  mkdir -p "$merged"
  find "$seeds" -maxdepth 1 -name '*.scr' -exec cp {} "$merged"/ \;
  nice -n 15 "$build/fuzz/${target}_fuzz" -set_cover_merge=1 -timeout=10 -rss_limit_mb=2048 \
    "$merged" "$seeds" "$work/corpus" >"$work/merge.log" 2>&1
  find "$seeds" -maxdepth 1 -type f -delete
  cp "$merged"/* "$seeds"/
  rm -rf "$merged"
  corpus_files=$(find "$seeds" -maxdepth 1 -type f | wc -l)
}

campaign() {
  local targets=() runs=() request
  [ $# -gt 0 ] || set -- script_reader draw_calls
  for request in "$@"; do
    local target=${request%%=*}
    [ -n "${campaign_runs[$target]:-}" ] || { echo "unknown fuzzer: $target" >&2; exit 2; }
    targets+=("$target")
    if [[ $request == *=* ]]; then runs+=("${request#*=}"); else runs+=("${campaign_runs[$target]}"); fi
  done
  build_targets "${targets[@]}"

  local report=() total_findings=0 i
  for i in "${!targets[@]}"; do
    local target=${targets[$i]} started=$SECONDS
    echo "Campaign: $target to ${runs[$i]} executions"
    campaign_one "$target" "${runs[$i]}"
    minimize_into_tree "$target"
    total_findings=$((total_findings + findings))
    report+=("$(printf '%-14s %12s executions in %6s s, %s findings, %s corpus files' \
      "$target" "$executions" "$((SECONDS - started))" "$findings" "$corpus_files")")
  done
  echo "Campaign report:"
  printf '  %s\n' "${report[@]}"
  if [ "$total_findings" -gt 0 ]; then
    echo "Findings are in $build/campaign/<target>/findings"
    exit 1
  fi
}

if [ "${1:-}" = --campaign ]; then
  campaign "${@:2}"
else
  bounded_run "${1:-60}" "${@:2}"
fi
