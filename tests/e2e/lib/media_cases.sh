# Runs the game once per image of Media/ with that image spoiled by the function named in $1
# (given the file's path); each run must start, reach play, answer the menu and end with
# status 0 on "Exit". Source after common.sh and screen.sh.

# Waits up to $2 seconds until window $1 shows anything at all, whatever images are missing.
wait_for_drawing() {
    deadline=$(( $(date +%s) + $2 ))
    while [ "$(date +%s)" -lt "$deadline" ]; do
        if shot "$1" drawing && [ "$("$PROBE" lit "$E2E_TMP/drawing.png" 0 0 640 480)" -gt 1000 ]; then
            return 0
        fi
        kill -0 "$GAME_PID" 2>/dev/null || return 1
        sleep 0.3
    done
    return 1
}

run_spoiled_media_cases() {
    spoil=$1
    for image in "$RUN_DIR"/Media/*.png; do
        name=$(basename "$image")
        work=$(make_media_workdir "spoiled_$name" "screenw=640
screenh=480")
        rm "$work/Media/$name"
        "$spoil" "$work/Media/$name" "$image"
        start_and_focus "$work"
        point_at "$WIN" 320 240
        # The splash and the title are recognised by their images; with one of those spoilt
        # the script only waits for the first drawing.
        if [ "$name" = splashscreen.png ]; then
            wait_for_drawing "$WIN" 120 || fail "$name: nothing was ever drawn"
        else
            state=$(wait_for_state "$WIN" splash 120) || fail "$name: the splash never showed (saw $state)"
        fi
        if [ "$name" != hudtexture.png ]; then
            state=$(go_to_play "$WIN" 60) || fail "$name: play never started (saw $state)"
        else
            # Without the HUD image neither the title nor play can be told apart: press on.
            press_key a
            sleep 1
            press_key a
            sleep 1
        fi
        # Some play: walk, jump, turn and attack.
        xdotool keydown w keydown space
        point_at "$WIN" 420 200
        sleep 1
        xdotool keyup space keyup w
        point_at "$WIN" 320 240
        click_at "$WIN" 320 240 3
        kill -0 "$GAME_PID" 2>/dev/null || fail "$name: the game died in play: $(tail -n 30 "$E2E_TMP/game.out")"
        press_key Escape
        wait_until_still "$WIN" 30 || fail "$name: the menu never came to rest"
        click_at "$WIN" 320 165
        wait_for_exit 60
        [ "$EXIT_STATUS" = 0 ] ||
            fail "$name: \"Exit\" gave status $EXIT_STATUS, expected 0: $(tail -n 30 "$E2E_TMP/game.out")"
        echo "$name $2: started, played and ended with status 0"
    done
}
