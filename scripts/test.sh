#!/bin/sh
# Installs what is missing, builds and runs every test (--sanitize: the ASan/UBSan build).
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh "$@"
dir=build
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-sanitize
fi
ctest --test-dir "$dir" --output-on-failure -j2
