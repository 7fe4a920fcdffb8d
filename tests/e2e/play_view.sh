#!/bin/sh
# Play as seen from outside: the HUD's health number falls while the monsters crowd the hero,
# and the 3D view changes clearly more while the hero walks or the mouse turns the view than
# while nothing is touched.
# Usage: play_view.sh GAME RUN_DIR   (run from the build folder; starts its own Xvfb)
set -u
. "$(dirname "$0")/lib/on_screen.sh"

# The 3D view below the HUD panel.
VIEW="0 90 640 390"

start_640x480 play
point_at "$WIN" 320 240
state=$(wait_for_state "$WIN" splash 120) || fail "the splash never showed (saw $state)"
state=$(go_to_play "$WIN" 60) || fail "the a key did not lead into play (saw $state)"
first=$(hud_numbers "$WIN")
[ "$first" != none ] || fail "no HUD at the start of play"
first_health=${first% *}
echo "play started with health and energy $first"

# Standing still among the monsters: they close in and drain health. This comes first, while
# the hero stands where the game put it: walking about later can lead it out of the crowd.
deadline=$(( $(date +%s) + 150 ))
health=$first_health
while [ "$health" -ge "$first_health" ] && [ "$(date +%s)" -lt "$deadline" ]; do
    sleep 1
    numbers=$(hud_numbers "$WIN")
    [ "$numbers" != none ] && health=${numbers% *}
done
[ "$health" -lt "$first_health" ] || fail "health stayed at $health for 150 s among the monsters"
echo "health fell from $first_health to $health while the monsters crowded the hero"

# The monsters crowding the hero and shoving it about change the picture all the time, so
# every change made by input is weighed against the change over an equal time without input,
# measured just before, in 20 x 20 blocks (blind to the jitter of a few pixels). Looking down at
# the street at a slant keeps the monsters from filling the view while the walls still show.
point_at "$WIN" 320 475
sleep 1.5
point_at "$WIN" 320 5
sleep 0.6
point_at "$WIN" 320 240

# Walking: the crowd soon pins the hero against a wall, so every try walks another way (forward,
# right, back, left), at least two of which lead away from any one wall or corner.
walked=no
try=0
for key in w d s a w d s a; do
    try=$((try + 1))
    shot "$WIN" rest1
    sleep 2
    shot "$WIN" rest2
    xdotool keydown "$key"
    sleep 2
    shot "$WIN" walk
    xdotool keyup "$key"
    idle=$("$PROBE" blocks "$E2E_TMP/rest1.png" "$E2E_TMP/rest2.png" $VIEW)
    walk=$("$PROBE" blocks "$E2E_TMP/rest2.png" "$E2E_TMP/walk.png" $VIEW)
    echo "try $try: 2 s of $key changed $walk blocks of the view, 2 s without input $idle"
    keep_shots "walk$try" rest1 rest2 walk
    if [ "$walk" -ge $((idle + 100)) ]; then
        walked=yes
        break
    fi
done
[ "$walked" = yes ] || fail "walking (w, d, s or a held) never changed the view clearly more than standing still"

# Turning: from looking straight down (the pointer held below the centre until the pitch stops
# at -90 degrees, where the monsters fill the least of the view) to looking up. A shove from
# the crowd at the wrong moment can blur the idle spell, so there are three tries.
turned=no
for try in 1 2 3; do
    point_at "$WIN" 320 475
    sleep 1.5
    point_at "$WIN" 320 240
    shot "$WIN" down1
    sleep 1
    shot "$WIN" down2
    point_at "$WIN" 320 5
    sleep 1.5
    point_at "$WIN" 320 240
    shot "$WIN" up
    keep_shots "turn$try" down1 down2 up
    idle=$("$PROBE" blocks "$E2E_TMP/down1.png" "$E2E_TMP/down2.png" $VIEW)
    turn=$("$PROBE" blocks "$E2E_TMP/down2.png" "$E2E_TMP/up.png" $VIEW)
    echo "try $try: turning the view from straight down to up changed $turn of 608 blocks; 1 s without input $idle"
    if [ "$turn" -ge 300 ] && [ "$turn" -ge $((idle + 150)) ]; then
        turned=yes
        break
    fi
done
[ "$turned" = yes ] || fail "turning the view with the mouse never changed it clearly more than standing still"

close_and_expect_zero
echo PASS
