#!/bin/sh
# Installs what is missing, builds and runs every test (--sanitize: the ASan/UBSan build).
# The normal run also builds the browser version (scripts/web.sh) and runs its tests in
# headless Chromium.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh "$@"
dir=build
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-sanitize
fi
ctest --test-dir "$dir" --output-on-failure -j2
if [ "$dir" = build ]; then
    ./scripts/web.sh
    ./scripts/install-deps.sh web-tests
    ctest --test-dir build-web --output-on-failure
fi
