#!/bin/sh
# Each image of Media/ replaced in turn by a broken file (cut in half, text, empty, or a PNG
# whose data is scrambled): the game still starts, plays and exits with status 0.
# Usage: media_corrupt.sh GAME RUN_DIR   (run from the build folder; starts its own Xvfb)
set -u
. "$(dirname "$0")/lib/on_screen.sh"
. "$(dirname "$0")/lib/media_cases.sh"

KIND=0
# Writes a broken copy of image $2 to $1, a different kind of damage each time.
break_image() {
    size=$(stat -L -c %s "$2")
    case $((KIND % 4)) in
    0) head -c $((size / 2)) "$2" > "$1" ;;
    1) echo "not a picture" > "$1" ;;
    2) : > "$1" ;;
    3) { head -c 64 "$2"; head -c $((size - 64)) /dev/zero; } > "$1" ;;
    esac
    KIND=$((KIND + 1))
}
SDL_AUDIODRIVER=dummy
export SDL_AUDIODRIVER
run_spoiled_media_cases break_image corrupt
echo PASS
