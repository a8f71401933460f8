#!/usr/bin/env bash
# Builds File Crypter and starts its window.  Without a display, explains how
# to use the command-line tool instead.  Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
tools/ensure-packages.sh "${BUILD_PACKAGES[@]}" "${GUI_PACKAGES[@]}"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DFC_BUILD_TESTS=OFF -DFC_BUILD_BENCH=OFF >/dev/null
cmake --build build

if [ -x build/host/qt/filecrypter ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec build/host/qt/filecrypter "$@"
fi
if [ -x build/host/qt/filecrypter ]; then
  echo "No display found (DISPLAY is not set), so the window cannot open." >&2
fi
if [ -x build/cli/filecrypter-cli ]; then
  echo "Use the command-line tool instead, for example:" >&2
  echo "  build/cli/filecrypter-cli encrypt --password 'secret' FILE" >&2
  echo "  build/cli/filecrypter-cli --help" >&2
  [ $# -gt 0 ] && exec build/cli/filecrypter-cli "$@"
  exit 0
fi
echo "Built the cipher engine; the program itself is not part of this build yet." >&2
