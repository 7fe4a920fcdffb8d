#!/bin/sh
# settings.ini asking for a video mode that no display can give (negative or enormous sizes,
# impossible depths, a full screen larger than the display's): the game ends with status 3,
# and first says on one line of standard error which mode it asked for and which keys to change.
# A side beyond what X and OpenGL can draw (X wraps sizes over 65535, and 16384 is as far as the
# drawing goes) is such a mode too, and the line names that limit, instead of a wrapped window
# that stays black.
# Usage: video_mode_refused.sh GAME RUN_DIR   (run from the build folder; starts its own Xvfb)
set -u
. "$(dirname "$0")/lib/on_screen.sh"
# The lines are counted: the sanitizer build must not add its list of suppressions used.
LSAN_OPTIONS="${LSAN_OPTIONS:-}:print_suppressions=0"
export LSAN_OPTIONS

# $1: a name; $2: the settings.ini text; $3: what the line must show of the mode asked for.
expect_refused() {
    work=$(make_workdir "refused$(echo "$1" | tr -c 'a-z0-9' _)" "$2")
    start_game "$work"
    wait_for_exit 120 || fail "$1: the game was still running after 120 s: $(cat "$E2E_TMP/game.out")"
    [ "$EXIT_STATUS" = 3 ] || fail "$1: exit status $EXIT_STATUS, expected 3: $(cat "$E2E_TMP/game.out")"
    lines=$(wc -l <"$E2E_TMP/game.out")
    [ "$lines" = 1 ] || fail "$1: $lines lines of output, expected 1: $(cat "$E2E_TMP/game.out")"
    grep -q "^Lornhaven: .*$3" "$E2E_TMP/game.out" ||
        fail "$1: the line does not name the mode ($3): $(cat "$E2E_TMP/game.out")"
    grep -q "screenw, screenh, screenbpp" "$E2E_TMP/game.out" ||
        fail "$1: the line does not name the keys to change: $(cat "$E2E_TMP/game.out")"
    echo "$1: status 3 after: $(cat "$E2E_TMP/game.out")"
}

# The same, for a side over the limit: the line names the limit as well.
expect_too_large() {
    expect_refused "$@"
    grep -q "16384" "$E2E_TMP/game.out" || fail "$1: the line does not name the 16384 limit: $(cat "$E2E_TMP/game.out")"
}

expect_refused "negative width" "screenw=-640
screenh=480" "-640 x 480"
expect_refused "negative height" "screenw=640
screenh=-1" "640 x -1"
expect_too_large "width 99999" "screenw=99999
screenh=480" "99999 x 480"
expect_too_large "width 1e9" "screenw=1e9
screenh=480" "1000000000 x 480"
expect_too_large "height 99999" "screenw=640
screenh=99999" "640 x 99999"
expect_too_large "height 1e9" "screenw=640
screenh=1e9" "640 x 1000000000"
expect_too_large "width 16385" "screenw=16385
screenh=480" "16385 x 480"
expect_too_large "full screen 70000 high" "screenw=640
screenh=70000
fullscreen=1" "640 x 70000"
for bpp in -5 7 99; do
    expect_refused "screenbpp=$bpp" "screenw=640
screenh=480
screenbpp=$bpp" "640 x 480 .*at $bpp bits"
done
expect_refused "screenbpp=-5 at the desktop size" "screenbpp=-5" "desktop.* at -5 bits"
# SDL 2 under sdl12-compat shows any full-screen size, scaled to the display: there it is a
# mode that can be set.
if [ -z "${LORNHAVEN_SDL12_COMPAT:-}" ]; then
    expect_refused "full screen larger than the display" "screenw=4000
screenh=3000
fullscreen=1" "4000 x 3000.*full screen"
fi
echo PASS
