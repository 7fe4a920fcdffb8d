#!/bin/sh
# Started with standard error closed, as desktop launchers and services may start a program, the
# game still has lines to write there (here a missing image's). They must go nowhere, not into
# the next thing opened in descriptor 2's place (the X connection, which then hung the game on
# a black window that ignored SIGTERM): it plays, and ends with status 0 when its window is
# closed and on SIGTERM.
# Usage: stderr_closed.sh GAME RUN_DIR   (run from the build folder; starts its own Xvfb)
set -u
. "$(dirname "$0")/lib/on_screen.sh"

# Starts the game with standard error closed in a folder whose Media lacks the robots' skin.
start_without_stderr() {
    work=$(make_media_workdir "closed_$1" "screenw=640
screenh=480")
    rm "$work/Media/lowpolyrobottexture.png"
    (cd "$work" && exec "$GAME" 2>&-) >"$E2E_TMP/game.out" &
    GAME_PID=$!
    WIN=$(wait_for_window 120) || fail "$1: the window never appeared: $(cat "$E2E_TMP/game.out")"
    focus_window "$WIN"
    state=$(go_to_play "$WIN" 120) || fail "$1: play never started after the missing image's line (saw $state)"
    [ ! -s "$E2E_TMP/game.out" ] || fail "$1: standard output got $(cat "$E2E_TMP/game.out")"
}

start_without_stderr close
sleep 1
close_and_expect_zero
echo "standard error closed: played, and ended with status 0 when the window was closed"

start_without_stderr term
sleep 1
kill -TERM "$GAME_PID"
wait_for_exit 60
[ "$EXIT_STATUS" = 0 ] || fail "term: exit status $EXIT_STATUS after SIGTERM, expected 0"
echo "standard error closed: played, and ended with status 0 on SIGTERM"
echo PASS
