#!/bin/sh
# Plays the built game under a private Xvfb and saves a small screenshot of each screen
# (splash, title, play, pause menu) as docs/screenshot-NAME.png for the README.
# Usage: ./scripts/screenshots.sh [BUILD_DIR]   (default build/)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
if [ -z "${LORNHAVEN_E2E_XVFB:-}" ]; then
    LORNHAVEN_E2E_XVFB=1 exec "$root/tests/with-xvfb.sh" "$0" "$build"
fi
set +e
cd "$build"
GAME="$build/lornhaven"
RUN_DIR="$build/run"
. "$root/tests/e2e/lib/common.sh"
. "$root/tests/e2e/lib/screen.sh"
mkdir -p "$root/docs"

# Keeps the screenshot $1 as docs/screenshot-$2.png with a reduced palette.
keep() {
    convert "$E2E_TMP/$1.png" -colors 96 -strip "png8:$root/docs/screenshot-$2.png" ||
        fail "could not write docs/screenshot-$2.png"
    echo "docs/screenshot-$2.png"
}

# The game seeds its city from the clock: with the clock held at one evening moment (the seed),
# every run shows the same city and the menu the same date and time.
choose_city 1796765400
SDL_AUDIODRIVER=dummy
export SDL_AUDIODRIVER
start_640x480 shots
point_at "$WIN" 639 479
state=$(wait_for_state "$WIN" splash 180) || fail "the splash never showed (saw $state)"
shot "$WIN" splash
keep splash splash
# The splash times out into the title by itself.
state=$(wait_for_state "$WIN" title 60) || fail "the title never showed (saw $state)"
shot "$WIN" title
keep title title
point_at "$WIN" 320 240
state=$(go_to_play "$WIN" 60) || fail "play never started (saw $state)"
# Walk a little so the monsters gather, and turn to face the street.
xdotool keydown w
sleep 1.5
xdotool keyup w
sleep 2
# A large frame reaches the X server in strips; keep a shot whose bottom rows are drawn too.
for try in 1 2 3 4 5 6 7 8 9 10; do
    shot "$WIN" play
    [ "$("$PROBE" lit "$E2E_TMP/play.png" 0 440 640 40)" -gt 20000 ] && break
    sleep 0.3
done
keep play play
press_key Escape
wait_until_still "$WIN" 30 || fail "the menu never came to rest"
point_at "$WIN" 400 300
sleep 0.5
shot "$WIN" menu
keep menu menu
point_at "$WIN" 320 165
sleep 0.2
click_at "$WIN" 320 165
wait_for_exit 60
