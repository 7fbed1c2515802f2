#!/usr/bin/env bash
# Builds the Windows program and the Windows click recorder, then prints bench/timing_wine.py's table
# (about 1.5 min) and the sizes of both stripped executables. BUILD_DIR chooses the 64-bit build folder
# (default build/bench-win64); the 32-bit one is build/bench-win32.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
build="${BUILD_DIR:-build/bench-win64}"
cmake --preset win64 -B "$build" >/dev/null
cmake --build "$build" --target quorvel quorvel_win_recorder
cmake --preset win32 -B build/bench-win32 -DQUORVEL_TESTS=OFF >/dev/null
cmake --build build/bench-win32 --target quorvel
tools/check_exe.sh build/bench-win32/quorvel.exe i386
tools/check_exe.sh "$build/quorvel.exe" x86-64
exec /usr/bin/python3 bench/timing_wine.py --quorvel "$build/quorvel.exe" \
  --recorder "$build/tests/e2e/quorvel_win_recorder.exe" --prefix "$build/wineprefix"
