#!/bin/sh
# Under a memory limit (ulimit -v) an allocation of the game's fails at some point of start-up,
# depending on the limit. Where that happens in the game's own code it ends with status 4 after
# one line saying memory ran out, never with the C++ runtime's abort ("terminate called after
# throwing an instance of 'std::bad_alloc'", signal 6). Limits from 260 to 400 MB are tried;
# at least one of them must reach that line (300 MB does on this game).
# Usage: out_of_memory.sh GAME RUN_DIR   (run from the build folder; starts its own Xvfb)
set -u
. "$(dirname "$0")/lib/on_screen.sh"

# AddressSanitizer reserves terabytes of address space at start: no limit can be tried there.
if ldd "$GAME" | grep -q libasan; then
    echo "SKIP: the sanitizer build cannot run under a memory limit"
    exit 0
fi

reached=""
for limit in 260000 280000 300000 320000 340000 360000 380000 400000; do
    work=$(make_workdir "limit$limit" "screenw=640
screenh=480")
    (ulimit -v "$limit" && cd "$work" && exec "$GAME") >"$E2E_TMP/game.out" 2>&1 &
    GAME_PID=$!
    if ! wait_for_exit 30; then
        kill -TERM "$GAME_PID"
        wait_for_exit 30
        # Not a reason to stop: on sdl12-compat a lower limit may play where a higher one fails.
        echo "ulimit -v $limit: plays"
        continue
    fi
    [ "$EXIT_STATUS" != 134 ] || fail "ulimit -v $limit: aborted: $(tail -n 5 "$E2E_TMP/game.out")"
    ! grep -q "terminate called" "$E2E_TMP/game.out" ||
        fail "ulimit -v $limit: the C++ runtime's abort: $(tail -n 5 "$E2E_TMP/game.out")"
    if grep -q "^Lornhaven: out of memory" "$E2E_TMP/game.out"; then
        [ "$EXIT_STATUS" = 4 ] || fail "ulimit -v $limit: status $EXIT_STATUS after the line, expected 4"
        [ "$(grep -c '^Lornhaven: out of memory' "$E2E_TMP/game.out")" = 1 ] ||
            fail "ulimit -v $limit: the line came more than once: $(cat "$E2E_TMP/game.out")"
        reached="$reached $limit"
    fi
    echo "ulimit -v $limit: status $EXIT_STATUS, $(grep '^Lornhaven:' "$E2E_TMP/game.out" | tail -n 1)"
done
[ -n "$reached" ] || fail "no limit ran the game out of memory in its own code"
echo "out of memory with one line and status 4 under:$reached"
echo PASS
