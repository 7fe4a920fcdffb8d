#!/bin/sh
# Installs the Debian packages that the game, its tools, tests, benchmarks and its own Debian
# package need (SDL 2 for the test run on sdl12-compat). With "web": those of the browser build
# (Emscripten) instead; with "web-tests": Chromium and, from npm, the pinned puppeteer-core of
# the browser tests (tests/web).
# Safe to run again: it only installs what is missing.
set -eu
cd "$(dirname "$0")/.."

PACKAGES="build-essential cmake pkg-config git
libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev
libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
libpng-dev libfreetype-dev fonts-dejavu-core libvorbis-dev libogg-dev
libgtest-dev libgmock-dev libbenchmark-dev
xvfb xauth x11-utils x11-apps xdotool imagemagick
dpkg-dev lintian desktop-file-utils appstream man-db libsdl2-2.0-0"
case "${1:-}" in
web) PACKAGES="emscripten" ;;
web-tests)
    PACKAGES="chromium"
    if [ ! -f tests/web/node_modules/puppeteer-core/package.json ]; then
        (cd tests/web && npm ci --no-audit --no-fund)
    fi
    ;;
esac

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" != "0" ]; then
    SUDO="sudo"
fi

echo "Installing:$missing"
$SUDO apt-get update
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
