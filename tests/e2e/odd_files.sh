#!/bin/sh
# Files that are not plain files where the game reads settings.ini, its images and its music
# (FIFOs that no one writes to, a link to an endless device) read as missing files: the game
# never blocks on them, starts, draws, and ends with status 0 when its window is closed.
# Usage: odd_files.sh GAME RUN_DIR   (run from the build folder; starts its own Xvfb)
set -u
. "$(dirname "$0")/lib/on_screen.sh"
SDL_AUDIODRIVER=dummy
export SDL_AUDIODRIVER

desktop=$(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')

# settings.ini as a FIFO, then as a link to /dev/zero: both read as no settings.ini at all,
# which opens the window at the desktop's size and shows the splash (or the title after it).
for kind in fifo zero; do
    work=$(make_workdir "settings_$kind" "")
    rm "$work/settings.ini"
    if [ "$kind" = fifo ]; then
        mkfifo "$work/settings.ini"
    else
        ln -s /dev/zero "$work/settings.ini"
    fi
    start_game "$work"
    # The desktop-size request first sets a plain video mode to learn the size; its window may
    # be seen for a moment before the OpenGL window replaces it.
    deadline=$(( $(date +%s) + 120 ))
    size=none
    state=none
    while [ "$(date +%s)" -lt "$deadline" ]; do
        WIN=$(wait_for_window 120) || fail "settings.ini as $kind: no window within 120 s: $(cat "$E2E_TMP/game.out")"
        size=$(window_size "$WIN" 2>/dev/null)
        # The splash, or on a slow machine already the title that follows it.
        [ "$size" = "$desktop" ] && state=$(screen_state "$WIN") &&
            { [ "$state" = splash ] || [ "$state" = title ]; } && break

        sleep 0.3
    done
    [ "$size" = "$desktop" ] || fail "settings.ini as $kind: window is $size, expected the desktop's $desktop"
    [ "$state" = splash ] || [ "$state" = title ] || fail "settings.ini as $kind: neither splash nor title showed (saw $state)"
    close_and_expect_zero
    echo "settings.ini as $kind: read as missing, window at $size, status 0"
done

# Every image and the music as a FIFO at once: each is missing, so the game draws with plain
# quads, says so once for each image, and still runs its frames and answers the close request.
work=$(make_media_workdir media_fifos "screenw=640
screenh=480")
for f in "$work"/Media/*; do
    rm "$f"
    mkfifo "$f"
done
start_and_focus "$work"
deadline=$(( $(date +%s) + 120 ))
lit=0
while [ "$lit" -le 1000 ] && [ "$(date +%s)" -lt "$deadline" ]; do
    shot "$WIN" drawing && lit=$("$PROBE" lit "$E2E_TMP/drawing.png" 0 0 640 480)
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.3
done
[ "$lit" -gt 1000 ] || fail "Media of FIFOs: nothing was ever drawn: $(cat "$E2E_TMP/game.out")"
close_and_expect_zero
for image in "$RUN_DIR"/Media/*.png; do
    name=Media/$(basename "$image")
    [ "$(grep -c "^Lornhaven: cannot load $name; " "$E2E_TMP/game.out")" = 1 ] ||
        fail "Media of FIFOs: no single line for $name: $(cat "$E2E_TMP/game.out")"
done
echo "Media of FIFOs: drew, said which images it went without, ended with status 0"
echo PASS
