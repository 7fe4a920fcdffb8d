#!/bin/sh
# Builds the game for the browser into build-web/ (the page is build-web/index.html), with
# Debian's Emscripten (installed when missing). --serve then serves it on 127.0.0.1 (port 8080, or $PORT) and prints
# the address; any browser with WebGL plays it there.
set -eu
cd "$(dirname "$0")/.."
root=$(pwd)
./scripts/install-deps.sh
./scripts/install-deps.sh web
# Emscripten's JavaScript tools need Debian's node modules, wherever node itself comes from.
NODE_PATH=/usr/share/nodejs
export NODE_PATH

# The images and the music are painted by the native build's media generator.
if [ ! -f build/CMakeCache.txt ]; then
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build --target media -j2

if [ ! -f build-web/CMakeCache.txt ]; then
    emcmake cmake -S web -B build-web -DCMAKE_BUILD_TYPE=Release -DLORNHAVEN_NATIVE_DIR="$root/build"
fi
cmake --build build-web -j2
echo "The page: build-web/index.html (served, not opened as a file: ./scripts/web.sh --serve)"

if [ "${1:-}" = "--serve" ]; then
    exec node web/serve.mjs build-web "${PORT:-8080}"
fi
