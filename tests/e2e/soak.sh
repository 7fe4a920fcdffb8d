#!/bin/sh
# Soak: the real game played by scripted random input (keys held and released, mouse moves,
# both attack buttons, the pause menu opened and closed) for a while, then closed. It must not
# crash, must end with status 0 (under AddressSanitizer that also means no leak report), and
# its resident memory must stay flat after start-up: VmRSS is sampled every few seconds.
# Play lasts LORNHAVEN_SOAK_SECONDS seconds: by default 120 in the sanitizer build and 30 in
# the plain one; set it for a longer run (and give ctest a --timeout to match).
# Usage: soak.sh GAME RUN_DIR   (run from the build folder; starts its own Xvfb)
set -u
. "$(dirname "$0")/lib/on_screen.sh"

if ldd "$GAME" | grep -q libasan; then
    seconds=${LORNHAVEN_SOAK_SECONDS:-120}
    # A small quarantine keeps freed blocks from looking like growth; leaks are still reported.
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}quarantine_size_mb=4"
    export ASAN_OPTIONS
else
    seconds=${LORNHAVEN_SOAK_SECONDS:-30}
fi
seed=${LORNHAVEN_SOAK_SEED:-$(date +%s)}
# The one end-to-end run on a new city every time: the city of the clock's second, given to the
# game as its seed so that a failure can be replayed on the same city.
choose_city "$(date +%s)"
echo "soak: $seconds s of play, input seed $seed, city seed $CITY_SEED"

SDL_AUDIODRIVER=dummy
export SDL_AUDIODRIVER
start_640x480 soak
point_at "$WIN" 320 240
state=$(wait_for_state "$WIN" splash 180) || fail "the splash never showed (saw $state)"
state=$(go_to_play "$WIN" 60) || fail "play never started (saw $state)"

rss() { awk '/^VmRSS:/ {print $2}' "/proc/$GAME_PID/status"; }
RSS_LOG="$E2E_TMP/rss"
: > "$RSS_LOG"
started=$(date +%s)
next_sample=$started

# The plan: one action per line, drawn from the seed. Keys are held for 0.05 to 1.5 s; the
# pointer goes anywhere in the window; the menu is opened now and then and closed again with
# Escape; no click lands while the menu may be showing (it could hit "Exit").
awk -v seed="$seed" 'BEGIN {
    srand(seed)
    split("w a s d Up Down Left Right space Shift_L", keys, " ")
    for (i = 0; i < 20000; i++) {
        r = rand()
        if (r < 0.45) printf "key %s %.2f\n", keys[1 + int(rand() * 10)], 0.05 + rand() * 1.45
        else if (r < 0.60) printf "keys %s %s %.2f\n", keys[1 + int(rand() * 4)], keys[9 + int(rand() * 2)], 0.1 + rand()
        else if (r < 0.80) printf "move %d %d\n", int(rand() * 640), int(rand() * 480)
        else if (r < 0.97) printf "click %d\n", rand() < 0.5 ? 1 : 3
        else printf "menu %.2f\n", 0.2 + rand() * 1.5
    }
}' > "$E2E_TMP/plan"

while read -r action a b c; do
    now=$(date +%s)
    [ $((now - started)) -ge "$seconds" ] && break
    kill -0 "$GAME_PID" 2>/dev/null || fail "the game died after $((now - started)) s of play: $(tail -n 40 "$E2E_TMP/game.out")"
    if [ "$now" -ge "$next_sample" ]; then
        echo "$((now - started)) $(rss)" >> "$RSS_LOG"
        next_sample=$((now + 5))
    fi
    case $action in
    key) xdotool keydown "$a"; sleep "$b"; xdotool keyup "$a" ;;
    keys) xdotool keydown "$a" keydown "$b"; sleep "$c"; xdotool keyup "$b" keyup "$a" ;;
    move) point_at "$WIN" "$a" "$b"; sleep 0.1 ;;
    click) xdotool mousedown "$a"; sleep 0.1; xdotool mouseup "$a" ;;
    menu)
        press_key Escape
        sleep "$a"
        press_key Escape
        # Only once the HUD is back has the menu slid shut, and a click is safe again.
        state=$(wait_for_state "$WIN" play 30) || fail "the menu did not give play back (saw $state)"
        ;;
    esac
done < "$E2E_TMP/plan"
echo "$(( $(date +%s) - started )) $(rss)" >> "$RSS_LOG"
for k in w a s d Up Down Left Right space Shift_L; do xdotool keyup "$k"; done

# Resident memory: after a warm-up (caches, the first drawing of every model, the allocator's
# and the sanitizer's own pools) it swings up and down by tens of MiB as the heap is reused, so
# the highest sample of the second half of play is compared with the highest of the first
# half: a leak lifts the second; it may not be higher by more than 8 MiB.
awk '{ printf "  %4d s  %6d KiB\n", $1, $2 }' "$RSS_LOG"
warm=$((seconds / 3 < 20 ? seconds / 3 : 20))
verdict=$(awk -v warm="$warm" -v end="$seconds" '$1 >= warm {
        if ($1 < warm + (end - warm) / 2) { if ($2 > first) first = $2 } else if ($2 > second) second = $2
    }
    END { if (second == 0) second = first; printf "%d %d %d", first, second, second - first }' "$RSS_LOG")
set -- $verdict
echo "resident memory after $warm s of warm-up: highest $1 KiB in the first half of play, $2 KiB in the second (growth $3 KiB)"
[ "$3" -le 8192 ] || fail "resident memory grew by $3 KiB during play"

state=$(screen_state "$WIN")
echo "the game shows $state at the end of the soak"
close_and_expect_zero 120
grep -q 'ERROR: AddressSanitizer\|ERROR: LeakSanitizer\|runtime error' "$E2E_TMP/game.out" &&
    fail "sanitizer report: $(cat "$E2E_TMP/game.out")"
echo PASS
