#!/bin/sh
# The real binary: fatal exit statuses without a usable display, and a window that opens at
# the configured size and ends the game with status 0 when it is closed.
# Usage: window_lifecycle.sh GAME RUN_DIR   (run from the build folder)
set -u
GAME=$1
RUN_DIR=$2
export GAME RUN_DIR
. "$(dirname "$0")/lib/common.sh"

work=$(make_workdir plain "screenw=640
screenh=480")

status=$(cd "$work" && SDL_VIDEODRIVER=nosuchdriver "$GAME" >/dev/null 2>&1; echo $?)
[ "$status" = 1 ] || fail "no usable video driver: exit status $status, expected 1"

status=$(cd "$work" && SDL_VIDEODRIVER=dummy "$GAME" >/dev/null 2>&1; echo $?)
[ "$status" = 3 ] || fail "no OpenGL mode: exit status $status, expected 3"

"$(dirname "$0")/../with-xvfb.sh" sh -c '
    . "$0"
    start_game "$1"
    id=$(wait_for_window 60) || fail "the window never appeared"
    size=$(window_size "$id")
    [ "$size" = "640x480" ] || fail "window is $size, expected 640x480"
    sleep 1
    "$CLOSEWINDOW" "$id" || fail "could not send the close request"
    wait_for_exit 30
    [ "$EXIT_STATUS" = 0 ] || fail "closing the window: exit status $EXIT_STATUS, expected 0"
    echo "window opened at $size and closed with status 0"
' "$(dirname "$0")/lib/common.sh" "$work" || exit 1
echo PASS
