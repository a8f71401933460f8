#!/usr/bin/env bash
# Builds File Crypter with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
tools/ensure-packages.sh "${BUILD_PACKAGES[@]}" "${GUI_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

cmake -S . -B build -G Ninja -DFC_BUILD_TESTS=ON -DFC_BUILD_BENCH=ON
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"

# The same tests once more with AddressSanitizer (leak checks included) and
# UndefinedBehaviorSanitizer.  The window's tests stay out: Qt's own
# allocations at exit would drown real reports, and the window's logic runs
# through the same application core tested here.
cmake -S . -B build-asan -G Ninja -DFC_SANITIZE=ON -DFC_BUILD_TESTS=ON -DFC_BUILD_BENCH=OFF \
  -DFC_BUILD_GUI=OFF
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$(nproc)"

# Every fuzzer for a few seconds, from its seeds.
FC_FUZZ_BUILD=build-fuzz fuzz/run_long.sh 3
