#!/bin/sh
# Each image of Media/ replaced in turn by a broken file (cut in half, text, empty, a PNG whose
# data is scrambled, one cut short inside a long text chunk before its image data, or one whose
# text chunk claims 2^31 - 1 bytes): the game still starts, plays and exits with status 0.
# Usage: media_corrupt.sh GAME RUN_DIR   (run from the build folder; starts its own Xvfb)
set -u
. "$(dirname "$0")/lib/on_screen.sh"
. "$(dirname "$0")/lib/media_cases.sh"

KIND=0
# Writes a broken copy of image $2 to $1, a different kind of damage each time.
break_image() {
    size=$(stat -L -c %s "$2")
    # A PNG's signature and header chunk take its first 33 bytes. Read past the end, the text
    # chunks once made the decoder spin for ever (the dashboard and the splash get the cut one).
    case $((KIND % 6)) in
    0) { head -c 33 "$2"; printf '\000\004\223\340tEXtComment\000'; head -c 100000 /dev/zero | tr '\000' x; } > "$1" ;;
    1) head -c $((size / 2)) "$2" > "$1" ;;
    2) echo "not a picture" > "$1" ;;
    3) : > "$1" ;;
    4) { head -c 64 "$2"; head -c $((size - 64)) /dev/zero; } > "$1" ;;
    5) { head -c 33 "$2"; printf '\177\377\377\377tEXtComment\000'; tail -c +34 "$2"; } > "$1" ;;
    esac
    KIND=$((KIND + 1))
}
SDL_AUDIODRIVER=dummy
export SDL_AUDIODRIVER
run_spoiled_media_cases break_image corrupt
echo PASS
