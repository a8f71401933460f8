#!/usr/bin/env bash
# Builds File Crypter with its tests and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
tools/ensure-packages.sh "${BUILD_PACKAGES[@]}" "${GUI_PACKAGES[@]}" "${TEST_PACKAGES[@]}"

cmake -S . -B build -G Ninja -DFC_BUILD_TESTS=ON -DFC_BUILD_BENCH=ON
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"
