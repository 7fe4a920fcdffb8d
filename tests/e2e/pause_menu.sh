#!/bin/sh
# The real binary under real X input: Escape slides the pause menu in, a second Escape slides
# it out again, and a click on "Exit" ends the game with status 0; the
# same click with the menu closed does not.
# Usage: pause_menu.sh GAME RUN_DIR   (run from the build folder; starts its own Xvfb)
set -u
. "$(dirname "$0")/lib/on_screen.sh"

start_640x480 menu
# Keys pressed while start-up still builds the city would reach the first frame already released.
seen=$(wait_for_state "$WIN" splash 120) || fail "the game did not start on the splash screen: $seen"

press_key Escape
seen=$(wait_for_state "$WIN" menu 30) || fail "Escape did not bring up the pause menu: $seen"
press_key Escape
deadline=$(( $(date +%s) + 30 ))
while [ "$(screen_state "$WIN")" = menu ]; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "a second Escape did not close the menu"
    sleep 0.2
done

# The splash and title take a click as "go on", so this one may change the screen, but it must
# not quit.
click_at "$WIN" 320 165
sleep 1
kill -0 "$GAME_PID" 2>/dev/null || fail "a click where Exit would be ended the game with the menu closed"

press_key Escape
seen=$(wait_for_state "$WIN" menu 30) || fail "Escape did not bring up the pause menu again: $seen"
click_at "$WIN" 320 165
wait_for_exit 30
[ "$EXIT_STATUS" = 0 ] || fail "Exit on the pause menu: exit status $EXIT_STATUS, expected 0: $(tail -n 30 "$E2E_TMP/game.out")"
echo "the menu came and went with Escape, and Exit ended the game with status 0"
echo PASS
