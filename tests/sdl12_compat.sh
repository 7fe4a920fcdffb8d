#!/bin/sh
# Fetches Debian's sdl12-compat (SDL 1.2 on top of SDL 2, the SDL 1.2 of newer distributions)
# and unpacks it into the build folder, without installing it: it would conflict with the
# installed SDL 1.2. The end-to-end tests then run a second time with its folder first in
# LD_LIBRARY_PATH; this script also checks that the game really resolves SDL there.
# Usage: sdl12_compat.sh BUILD_DIR LIBRARY_DIR GAME
set -u
build=$1
libdir=$2
game=$3
dir="$build/sdl12-compat"

if [ ! -e "$libdir/libSDL-1.2.so.0" ]; then
    rm -rf "$dir"
    mkdir -p "$dir"
    cd "$dir" || exit 1
    if ! apt-get download libsdl1.2-compat >download.log 2>&1; then
        # A machine that never read the package lists first.
        SUDO=""
        [ "$(id -u)" = 0 ] || SUDO="sudo -n"
        $SUDO apt-get update >>download.log 2>&1
        apt-get download libsdl1.2-compat >>download.log 2>&1 || {
            cat download.log >&2
            echo "FAIL: could not download libsdl1.2-compat" >&2
            exit 1
        }
    fi
    dpkg -x libsdl1.2-compat_*.deb "$dir/root" || exit 1
    [ -e "$libdir/libSDL-1.2.so.0" ] || { echo "FAIL: no libSDL-1.2.so.0 in $libdir" >&2; exit 1; }
fi
echo "$(ls "$dir"/libsdl1.2-compat_*.deb)"

resolved=$(LD_LIBRARY_PATH=$libdir ldd "$game" | awk '$1 == "libSDL-1.2.so.0" {print $3}')
[ "$resolved" = "$libdir/libSDL-1.2.so.0" ] ||
    { echo "FAIL: the game takes libSDL-1.2.so.0 from '$resolved', not from $libdir" >&2; exit 1; }
LD_LIBRARY_PATH=$libdir ldd "$game" | grep -q 'libSDL2-2.0.so.0 => /' ||
    { echo "FAIL: sdl12-compat finds no SDL 2" >&2; exit 1; }
echo "the game runs on $resolved"
echo PASS
