#!/bin/sh
# Installs the Debian packages that the game, its tools, tests, benchmarks and its own Debian
# package need (SDL 2 for the test run on sdl12-compat).
# Safe to run again: it only calls apt-get when something is missing.
set -eu

PACKAGES="build-essential cmake pkg-config git
libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev
libgl1-mesa-dev libglu1-mesa-dev libgl1-mesa-dri
libpng-dev libfreetype-dev fonts-dejavu-core libvorbis-dev libogg-dev
libgtest-dev libgmock-dev libbenchmark-dev
xvfb xauth x11-utils x11-apps xdotool imagemagick
dpkg-dev lintian desktop-file-utils appstream man-db libsdl2-2.0-0"

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
