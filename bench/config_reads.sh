#!/bin/sh
# Builds and runs bench/config_reads.cpp against the settings code and the POSIX file layer.
set -e
cd "$(dirname "$0")/.."
build="${BUILD_DIR:-build/bench-reads}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target quorvel_native
g++ -std=c++20 -O2 -Wall -Wextra -Wpedantic -Wshadow -Werror -Isrc bench/config_reads.cpp \
  "$build/src/libquorvel_native.a" "$build/src/libquorvel_core.a" -o "$build/config_reads"
"$build/config_reads"
