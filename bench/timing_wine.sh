#!/usr/bin/env bash
# Builds both Windows programs (i686 and x86-64) and the Windows click recorder, then prints
# bench/timing_wine.py's table for each, one after the other in one Wine prefix (about 1.5 min each), and
# the headers and sizes of both stripped executables. BUILD_DIR chooses the 64-bit build folder (default
# build/bench-win64); the 32-bit one is build/bench-win32.
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
# A prefix made before wine32 was installed may not start the 32-bit program: this one is new.
prefix="$build/wineprefix"
rm -rf "$prefix"
for program in "build/bench-win32/quorvel.exe i686" "$build/quorvel.exe x86-64"; do
  read -r exe width <<<"$program"
  echo
  /usr/bin/python3 bench/timing_wine.py --quorvel "$exe" --name "quorvel.exe ($width)" \
    --recorder "$build/tests/e2e/quorvel_win_recorder.exe" --prefix "$prefix"
done
