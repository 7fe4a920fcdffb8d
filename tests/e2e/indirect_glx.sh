#!/bin/sh
# An X server that refuses indirect GLX (Xvfb without +iglx, as current servers are by default)
# with LIBGL_ALWAYS_INDIRECT set, as over ssh -X: no OpenGL mode can be set, so the game ends
# with status 3 after one line of its own that says so and what to try, instead of Xlib's raw
# "X Error of failed request" and status 1.
# Usage: indirect_glx.sh GAME RUN_DIR   (run from the build folder; starts its own Xvfb)
set -u
. "$(dirname "$0")/lib/on_screen.sh"
# The lines are counted: the sanitizer build must not add its list of suppressions used.
LSAN_OPTIONS="${LSAN_OPTIONS:-}:print_suppressions=0"
export LSAN_OPTIONS

work=$(make_workdir indirect "screenw=640
screenh=480")
(cd "$work" && LIBGL_ALWAYS_INDIRECT=1 exec "$GAME") >"$E2E_TMP/game.out" 2>"$E2E_TMP/game.err" &
GAME_PID=$!
wait_for_exit 120 || fail "the game was still running after 120 s: $(cat "$E2E_TMP/game.err")"
[ "$EXIT_STATUS" = 3 ] || fail "exit status $EXIT_STATUS, expected 3: $(cat "$E2E_TMP/game.err")"
! grep -q "X Error" "$E2E_TMP/game.err" || fail "Xlib's raw report came out: $(cat "$E2E_TMP/game.err")"
# The sound library may complain on lines of its own before; the game's are counted.
lines=$(grep -c '^Lornhaven:' "$E2E_TMP/game.err")
[ "$lines" = 1 ] || fail "$lines lines of the game's own, expected 1: $(cat "$E2E_TMP/game.err")"
grep '^Lornhaven:' "$E2E_TMP/game.err" | grep -q "OpenGL.*LIBGL_ALWAYS_INDIRECT" ||
    fail "the line does not say what failed and what to try: $(cat "$E2E_TMP/game.err")"
echo "indirect GLX refused: status 3 after: $(grep '^Lornhaven:' "$E2E_TMP/game.err")"
echo PASS
