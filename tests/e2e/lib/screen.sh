# Screenshots, screen probes and real X input for the end-to-end scripts; source after common.sh.
# Everything waits by polling against a deadline, so a slow machine (or the sanitizer build)
# only makes a script slower.

PROBE="$BUILD_DIR/tools/screenprobe"
MEDIA_REF="$RUN_DIR/Media"

# Saves a screenshot of window $1 as $E2E_TMP/$2.png. import can wait for ever on a window that
# is destroyed under it (the desktop-size probe window), so it gets a deadline of its own.
shot() {
    timeout 20 import -silent -window "$1" "$E2E_TMP/$2.png" 2>/dev/null
}

# Prints which screen window $1 shows: splash, title, play, menu or unknown.
screen_state() {
    if shot "$1" state; then
        "$PROBE" state "$E2E_TMP/state.png" "$MEDIA_REF"
    else
        echo unknown
    fi
}

# Waits up to $3 seconds for window $1 to show screen $2; on failure prints what it saw last.
wait_for_state() {
    deadline=$(( $(date +%s) + $3 ))
    seen=none
    while [ "$(date +%s)" -lt "$deadline" ]; do
        seen=$(screen_state "$1")
        [ "$seen" = "$2" ] && return 0
        kill -0 "$GAME_PID" 2>/dev/null || break
        xwininfo -id "$1" >/dev/null 2>&1 || break
        sleep 0.2
    done
    echo "$seen"
    return 1
}

# Prints "health energy" as the HUD of window $1 shows them, or "none".
hud_numbers() {
    if shot "$1" hud; then
        "$PROBE" hud "$E2E_TMP/hud.png" "$MEDIA_REF"
    else
        echo none
    fi
}

# Differing pixels of the rectangle X Y W H between the screenshots named $1 and $2.
shot_diff() {
    "$PROBE" diff "$E2E_TMP/$1.png" "$E2E_TMP/$2.png" "$3" "$4" "$5" "$6"
}

# Gives window $1 the keyboard focus (there is no window manager under Xvfb).
focus_window() {
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
}

# Holds key $1 down long enough for a frame to see it (a press and release inside one frame is
# never seen as a press), then releases it.
press_key() {
    xdotool keydown "$1"
    sleep "${2:-0.3}"
    xdotool keyup "$1"
}

# Moves the pointer to (x, y) of window $1.
point_at() {
    xdotool mousemove --window "$1" "$2" "$3"
}

# Presses mouse button ${4:-1} at (x, y) of window $1 for a few frames.
click_at() {
    point_at "$1" "$2" "$3"
    xdotool mousedown "${4:-1}"
    sleep 0.3
    xdotool mouseup "${4:-1}"
}

# A working folder whose Media holds links to the built files; the caller may then remove or
# replace any of them.
make_media_workdir() {
    dir=$(make_workdir "$1" "$2")
    rm "$dir/Media"
    mkdir "$dir/Media"
    for f in "$RUN_DIR"/Media/*; do
        ln -s "$f" "$dir/Media/$(basename "$f")"
    done
    echo "$dir"
}

# Starts the game in folder $1 under the current DISPLAY, focuses its window and sets WIN.
start_and_focus() {
    start_game "$1"
    WIN=$(wait_for_window "${2:-120}") || fail "the window never appeared: $(cat "$E2E_TMP/game.out")"
    focus_window "$WIN"
}

# Starts the game in a fresh 640 x 480 working folder named after $1 and gives it the focus.
start_640x480() {
    start_and_focus "$(make_workdir "$1" "screenw=640
screenh=480")"
}

# Closes the window and expects exit status 0 within $1 seconds.
close_and_expect_zero() {
    "$CLOSEWINDOW" "$WIN" || fail "could not send the close request"
    wait_for_exit "${1:-60}"
    [ "$EXIT_STATUS" = 0 ] || fail "exit status $EXIT_STATUS after closing the window, expected 0: $(tail -n 30 "$E2E_TMP/game.out")"
}

# Waits up to $2 seconds until two screenshots of window $1 in a row agree below the top panel
# (where the menu's clock ticks): the menu has finished sliding.
wait_until_still() {
    deadline=$(( $(date +%s) + $2 ))
    shot "$1" still_a
    while [ "$(date +%s)" -lt "$deadline" ]; do
        sleep 0.3
        shot "$1" still_b
        [ "$(shot_diff still_a still_b 0 60 640 420)" -eq 0 ] && return 0
        mv "$E2E_TMP/still_b.png" "$E2E_TMP/still_a.png"
    done
    return 1
}

# Gets window $1 from the splash or the title into play with the a key, within $2 seconds.
# The splash may time out into the title at any moment, so each press is followed by a look
# at what the screen shows now rather than by an expectation.
go_to_play() {
    deadline=$(( $(date +%s) + $2 ))
    seen=unknown
    while [ "$(date +%s)" -lt "$deadline" ]; do
        seen=$(screen_state "$1")
        case $seen in
        play) return 0 ;;
        splash | title)
            press_key a
            before=$seen
            while [ "$seen" = "$before" ] && [ "$(date +%s)" -lt "$deadline" ]; do
                sleep 0.2
                seen=$(screen_state "$1")
            done
            ;;
        *) sleep 0.2 ;;
        esac
    done
    echo "$seen"
    return 1
}
