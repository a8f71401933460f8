#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each in turn.
#
#   fuzz/run_long.sh [SECONDS]     each target for SECONDS (default 600)
#
# Inputs found along the way go to BUILD/corpus/<target>/, next to the seeds
# in fuzz/corpus/<target>/, which are only read.  A crash stops the run and
# leaves its input as BUILD/crash-<target>-*; turn it into a regression test
# and, when it is small and telling, add it to the seeds.  BUILD is
# $FC_FUZZ_BUILD, or build-fuzz in the project's root.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
build="${FC_FUZZ_BUILD:-build-fuzz}"

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DFC_BUILD_FUZZ=ON \
  -DFC_BUILD_TESTS=OFF -DFC_BUILD_BENCH=OFF -DFC_BUILD_GUI=OFF >/dev/null
cmake --build "$build"

for seeds in fuzz/corpus/*/; do
  target="$(basename "$seeds")"
  found="$build/corpus/$target"
  mkdir -p "$found"
  log="$build/$target.log"
  if ! "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="$build/crash-$target-" "$found" "$seeds" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "fuzz: $target FAILED; see $log and $build/crash-$target-*" >&2
    exit 1
  fi
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
  echo "fuzz: $target clean, ${runs:-?} runs in ${seconds} s"
done
