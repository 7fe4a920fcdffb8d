#!/bin/sh
# Builds and runs every benchmark: each bench/NAME.cpp program (under a private Xvfb, as the
# frame benchmark draws with Mesa's software renderer), then the game's start-up time.
# Last the browser build's frame time, in headless Chromium, next to the desktop's.
# Figures and the machine they came from are collected in bench/README.md.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
root=$(pwd)
cd build/run
for bench in "$root"/bench/*.cpp; do
    name=$(basename "$bench" .cpp)
    echo "== $name"
    SDL_AUDIODRIVER=dummy "$root/tests/with-xvfb.sh" "$root/build/bench/$name" --benchmark_counters_tabular=true
done
echo "== start-up time (process start to the first frame on screen, 640 x 480)"
work=$(mktemp -d)
ln -s "$root/build/run/Media" "$work/Media"
printf 'screenw=640\nscreenh=480\n' > "$work/settings.ini"
SDL_AUDIODRIVER=dummy "$root/tests/with-xvfb.sh" "$root/build/tools/startuptime/startuptime" \
    "$root/build/lornhaven" "$work" 5
rm -rf "$work"
echo "== browser frame time (headless Chromium, SwiftShader WebGL, 640 x 480)"
cd "$root"
./scripts/web.sh
./scripts/install-deps.sh web-tests
node bench/web/frame_time.mjs
