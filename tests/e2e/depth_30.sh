#!/bin/sh
# On an X screen of depth 30 (10 bits a colour, whose visuals have 1024-entry colour maps) the
# game opens its window and plays, at a set size and at the desktop's, and ends with status 0
# when the window is closed. SDL 1.2 asked GLX for a colour-mapped visual there and overran its
# 256-entry table: the game died with SIGSEGV and no word.
# Usage: depth_30.sh GAME RUN_DIR   (run from the build folder; starts its own 30-bit Xvfb)
set -u
GAME=$1
RUN_DIR=$2
. "$(dirname "$0")/lib/common.sh"
. "$(dirname "$0")/lib/screen.sh"

fdfile="$E2E_TMP/displayfd"
Xvfb -displayfd 3 -screen 0 1024x768x30 -nolisten tcp -noreset 3>"$fdfile" 2>/dev/null &
XVFB_PID=$!
trap 'cleanup; kill "$XVFB_PID" 2>/dev/null' EXIT
i=0
while [ ! -s "$fdfile" ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i + 1)); done
[ -s "$fdfile" ] || fail "the 30-bit Xvfb did not start"
DISPLAY=":$(head -n1 "$fdfile")"
export DISPLAY
xdpyinfo | grep -q "depth of root window: *30 planes" || fail "the screen is not 30 bits deep: $(xdpyinfo | grep depth)"

# $1: a name; $2: the settings.ini text; $3: the window size expected.
expect_play() {
    start_game "$(make_workdir "$1" "$2")"
    # The desktop-size request first opens a plain window to learn the size; the game's own
    # window replaces it.
    deadline=$(( $(date +%s) + 120 ))
    size=none
    while [ "$size" != "$3" ] && [ "$(date +%s)" -lt "$deadline" ]; do
        WIN=$(wait_for_window 120) || fail "$1: the window never appeared: $(cat "$E2E_TMP/game.out")"
        size=$(window_size "$WIN" 2>/dev/null)
        [ "$size" = "$3" ] || sleep 0.3
    done
    [ "$size" = "$3" ] || fail "$1: window is $size, expected $3"
    focus_window "$WIN"
    state=$(go_to_play "$WIN" 120) || fail "$1: play never started (saw $state): $(cat "$E2E_TMP/game.out")"
    hud=$(hud_numbers "$WIN")
    echo "$hud" | grep -Eq '^[0-9]+ [0-9]+$' || fail "$1: the HUD cannot be read ($hud)"
    ! grep -q "cannot load" "$E2E_TMP/game.out" || fail "$1: images refused at depth 30: $(cat "$E2E_TMP/game.out")"
    close_and_expect_zero
    echo "$1: played at depth 30 in a $size window, HUD $hud, status 0 on close"
}

expect_play "640x480" "screenw=640
screenh=480" 640x480
expect_play "desktop size" "" 1024x768
echo PASS
