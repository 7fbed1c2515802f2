#!/usr/bin/env bash
# Builds Quorvel and the click recorder, then prints the timing table of bench/timing.py (about 2.5 min).
# BUILD_DIR chooses the build folder (default build/bench).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
ensure_packages cmake ninja-build g++ googletest "${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
build="${BUILD_DIR:-build/bench}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target quorvel quorvel_recorder
g++ -std=c++20 -O2 -Wall -Wextra -Wpedantic -Wshadow -Werror bench/map_timer.cpp -lX11 -o "$build/map_timer"
quorvel=$(find "$build" -maxdepth 2 -name quorvel -type f -perm -u+x | head -n 1)
exec /usr/bin/python3 bench/timing.py --quorvel "$quorvel" --recorder "$build/tests/e2e/quorvel_recorder" \
  --map-timer "$build/map_timer"
