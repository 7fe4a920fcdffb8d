#!/bin/sh
# Without a display (no DISPLAY, or one that names no X server) the game ends with status 1 and
# one line on standard error saying that the video system could not start; it writes nothing
# else, so the player's terminal is left as it was (no escape codes from a text-mode driver).
# Usage: no_display.sh GAME RUN_DIR   (run from the build folder; needs no X server)
set -u
GAME=$1
RUN_DIR=$2
. "$(dirname "$0")/lib/common.sh"
# The lines are counted: the sanitizer build must not add its list of suppressions used.
LSAN_OPTIONS="${LSAN_OPTIONS:-}:print_suppressions=0"
export LSAN_OPTIONS

work=$(make_workdir nodisplay "screenw=640
screenh=480")

# A display number that no server answers.
dead=1999
while [ -e "/tmp/.X11-unix/X$dead" ] || [ -e "/tmp/.X$dead-lock" ]; do
    dead=$((dead + 1))
done

check_case() {
    name=$1
    shift
    (cd "$work" && exec timeout 60 env "$@" "$GAME") >"$E2E_TMP/out" 2>"$E2E_TMP/err"
    status=$?
    [ "$status" = 1 ] || fail "$name: exit status $status, expected 1; stderr: $(cat "$E2E_TMP/err")"
    [ ! -s "$E2E_TMP/out" ] || fail "$name: wrote $(wc -c <"$E2E_TMP/out") bytes to standard output: $(od -c "$E2E_TMP/out" | head -n 4)"
    # On sdl12-compat SDL 2 also tries Wayland, whose library says on a line of its own that it
    # found none; only the game's own lines are counted there.
    if [ -n "${LORNHAVEN_SDL12_COMPAT:-}" ]; then
        lines=$(grep -c '^Lornhaven:' "$E2E_TMP/err")
    else
        lines=$(wc -l <"$E2E_TMP/err")
    fi
    [ "$lines" = 1 ] || fail "$name: $lines lines on standard error, expected 1: $(cat "$E2E_TMP/err")"
    grep -q '^Lornhaven: .*video' "$E2E_TMP/err" || fail "$name: the line does not say the video system failed: $(cat "$E2E_TMP/err")"

    # The same on a real terminal: everything the terminal receives is that one line.
    (cd "$work" && exec timeout 60 script -qec "env $* '$GAME'" "$E2E_TMP/typescript") >/dev/null 2>&1
    status=$?
    [ "$status" = 1 ] || fail "$name on a terminal: exit status $status, expected 1"
    if grep -q "$(printf '\033')" "$E2E_TMP/typescript"; then
        fail "$name: the terminal received escape codes: $(od -c "$E2E_TMP/typescript" | head -n 8)"
    fi
    grep -q '^Lornhaven: .*video' "$E2E_TMP/typescript" || fail "$name: the terminal never showed the line: $(cat "$E2E_TMP/typescript")"
    echo "$name: status 1 and one line: $(cat "$E2E_TMP/err")"
}

check_case "no DISPLAY" -u DISPLAY -u SDL_VIDEODRIVER
check_case "DISPLAY=:$dead without a server" -u SDL_VIDEODRIVER DISPLAY=":$dead"
echo PASS
