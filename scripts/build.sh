#!/bin/sh
# Configures and builds into build/ (or build-sanitize/ with --sanitize).
set -eu
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--sanitize" ]; then
    cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DLORNHAVEN_SANITIZE=ON -DLORNHAVEN_BENCH=OFF
    cmake --build build-sanitize -j2
else
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build -j2
fi
