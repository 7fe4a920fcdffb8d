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

work=$(make_workdir set_size "screenw=640
screenh=480")
start_and_focus "$work"
state=$(go_to_play "$WIN" 120) || fail "640x480: play never started (saw $state): $(cat "$E2E_TMP/game.out")"
size=$(window_size "$WIN")
[ "$size" = 640x480 ] || fail "640x480: window is $size"
hud=$(hud_numbers "$WIN")
echo "$hud" | grep -Eq '^[0-9]+ [0-9]+$' || fail "640x480: the HUD cannot be read ($hud)"
! grep -q "cannot load" "$E2E_TMP/game.out" || fail "640x480: images refused at depth 30: $(cat "$E2E_TMP/game.out")"
close_and_expect_zero
echo "640x480: played at depth 30, HUD $hud, status 0 on close"

# The desktop's size is learnt from a plain window first, which the OpenGL window replaces: the
# window is looked for until one of the screen's size shows the splash.
work=$(make_workdir desktop_size "")
start_game "$work"
desktop=$(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
deadline=$(( $(date +%s) + 240 ))
size=none
state=none
splash=""
while [ -z "$splash" ] && [ "$(date +%s)" -lt "$deadline" ]; do
    WIN=$(wait_for_window 120) || fail "desktop size: the window never appeared: $(cat "$E2E_TMP/game.out")"
    size=$(window_size "$WIN" 2>/dev/null)
    if [ "$size" = "$desktop" ] && state=$(wait_for_state "$WIN" splash 120); then
        splash=yes
    else
        sleep 0.3
    fi
done
[ -n "$splash" ] || fail "desktop size: no $desktop window showed the splash (window $size, saw $state)"
close_and_expect_zero
echo "desktop size: the splash at depth 30 in a $size window, status 0 on close"
echo PASS
