#!/bin/sh
# A width or height beyond what X and OpenGL can draw (X wraps sizes over 65535, and 16384 is
# as far as the drawing goes) is a mode that cannot be set: the game ends with status 3 and one
# line naming the size asked for, instead of opening a wrapped window that stays black.
# Usage: huge_window.sh GAME RUN_DIR   (run from the build folder; starts its own Xvfb)
set -u
. "$(dirname "$0")/lib/on_screen.sh"
# The lines are counted: the sanitizer build must not add its list of suppressions used.
LSAN_OPTIONS="${LSAN_OPTIONS:-}:print_suppressions=0"
export LSAN_OPTIONS

expect_refused() {
    work=$(make_workdir "huge$(echo "$1" | tr -c 'a-z0-9' _)" "$1")
    start_game "$work"
    wait_for_exit 120 || fail "$(echo "$1" | tr '\n' ' '): still running after 120 s (windows: $(xdotool search --name Lornhaven 2>/dev/null | while read -r w; do window_size "$w"; done))"
    [ "$EXIT_STATUS" = 3 ] || fail "$(echo "$1" | tr '\n' ' '): exit status $EXIT_STATUS, expected 3"
    grep -q "^Lornhaven: .*$2.*16384" "$E2E_TMP/game.out" ||
        fail "$(echo "$1" | tr '\n' ' '): no line naming the $2 mode and the limit: $(cat "$E2E_TMP/game.out")"
    [ "$(wc -l <"$E2E_TMP/game.out")" = 1 ] || fail "more than one line: $(cat "$E2E_TMP/game.out")"
    echo "$(echo "$1" | tr '\n' ' '): status 3 after: $(cat "$E2E_TMP/game.out")"
}

expect_refused "screenw=640
screenh=99999" "640 x 99999"
expect_refused "screenw=640
screenh=1e9" "640 x 1000000000"
expect_refused "screenw=16385
screenh=480" "16385 x 480"
expect_refused "screenw=640
screenh=70000
fullscreen=1" "640 x 70000"
echo PASS
