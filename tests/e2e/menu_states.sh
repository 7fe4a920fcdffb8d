#!/bin/sh
# The pause menu in every screen: Escape opens it on the splash, the title and in play; behind
# it the game stands still (the splash does not time out, nothing is drawn); "Resume game"
# closes it and the same screen comes back. ("Exit" is covered by pause_menu.sh.)
# Fully open on 640 x 480, "Resume game" is centred on (320, 115) and "Exit" on (320, 165).
# Usage: menu_states.sh GAME RUN_DIR   (run from the build folder; starts its own Xvfb)
set -u
. "$(dirname "$0")/lib/on_screen.sh"

start_640x480 menu
point_at "$WIN" 600 460

# On the splash: the menu opens, and while it shows the splash never times out.
state=$(wait_for_state "$WIN" splash 120) || fail "the splash never showed (saw $state)"
opened=$(date +%s)
press_key Escape
state=$(wait_for_state "$WIN" menu 20) || fail "Escape on the splash did not open the menu (saw $state)"
echo "Escape opened the menu on the splash"
# Everything below the top panel stays as it is while the menu is open: only the clock in the
# top panel moves.
wait_until_still "$WIN" 20 || fail "the menu never came to rest"
shot "$WIN" frozen1
while [ "$(date +%s)" -le $((opened + 7)) ]; do
    sleep 0.5
    state=$(screen_state "$WIN")
    [ "$state" = menu ] || fail "the menu over the splash gave way to $state"
done
shot "$WIN" frozen2
changed=$(shot_diff frozen1 frozen2 0 60 640 420)
[ "$changed" -eq 0 ] || fail "$changed pixels below the top panel changed while the menu was open"
echo "the menu stayed for more than 7 s with nothing moving behind it"
# Closed after more than 5 s, the splash switches to the title at once.
press_key Escape
state=$(wait_for_state "$WIN" title 30) || fail "after the menu closed the splash did not give way to the title (saw $state)"
echo "after the menu closed the overdue splash gave way to the title"

# On the title: the menu opens; "Resume game" closes it and the title is back (the click on
# the button does not also start play).
press_key Escape
state=$(wait_for_state "$WIN" menu 20) || fail "Escape on the title did not open the menu (saw $state)"
wait_until_still "$WIN" 20 || fail "the menu never came to rest"
click_at "$WIN" 320 115
point_at "$WIN" 600 460
state=$(wait_for_state "$WIN" title 30) || fail "\"Resume game\" did not bring the title back (saw $state)"
echo "Escape opened the menu on the title and \"Resume game\" closed it"

# In play: the menu stops the world; "Resume game" goes back to play.
click_at "$WIN" 320 240
point_at "$WIN" 320 240
state=$(wait_for_state "$WIN" play 30) || fail "a click on the title did not start play (saw $state)"
press_key Escape
state=$(wait_for_state "$WIN" menu 20) || fail "Escape in play did not open the menu (saw $state)"
wait_until_still "$WIN" 20 || fail "the menu never came to rest"
shot "$WIN" frozen3
sleep 1.5
shot "$WIN" frozen4
changed=$(shot_diff frozen3 frozen4 0 60 640 420)
[ "$changed" -eq 0 ] || fail "$changed pixels below the top panel changed while the menu was open in play"
click_at "$WIN" 320 115
point_at "$WIN" 320 240
state=$(wait_for_state "$WIN" play 30) || fail "\"Resume game\" did not bring play back (saw $state)"
echo "Escape opened the menu in play, nothing moved behind it, and \"Resume game\" went back to play"

close_and_expect_zero
echo PASS
