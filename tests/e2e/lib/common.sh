# Shared helpers of the end-to-end scripts. Source after setting GAME (the binary) and RUN_DIR.
# Every wait polls with a deadline, so a slow shared machine slows a test down but never fails it
# by timing alone, and a hung game fails it instead of hanging CI.

BUILD_DIR=$(pwd)
CLOSEWINDOW="$BUILD_DIR/tools/closewindow/closewindow"
E2E_TMP=$(mktemp -d)
GAME_PID=""

cleanup() {
    if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
        kill -9 "$GAME_PID" 2>/dev/null
    fi
    rm -rf "$E2E_TMP"
}
trap cleanup EXIT

# A failing script leaves its screenshots in e2e-failures/NAME of the build folder, to be looked at.
fail() {
    echo "FAIL: $*" >&2
    if ls "$E2E_TMP"/*.png >/dev/null 2>&1 || [ -d "$E2E_TMP/kept" ]; then
        saved="$BUILD_DIR/e2e-failures/$(basename "$0" .sh)"
        rm -rf "$saved" && mkdir -p "$saved"
        cp "$E2E_TMP"/*.png "$saved"/ 2>/dev/null
        cp "$E2E_TMP"/kept/*.png "$saved"/ 2>/dev/null
        echo "screenshots kept in $saved" >&2
    fi
    exit 1
}

# Keeps the screenshots named $2... under the prefix $1, for fail to leave behind.
keep_shots() {
    prefix=$1
    shift
    mkdir -p "$E2E_TMP/kept"
    for name in "$@"; do
        cp "$E2E_TMP/$name.png" "$E2E_TMP/kept/${prefix}_$name.png" 2>/dev/null
    done
}

# A fresh working folder with the game's Media and the given settings.ini text.
make_workdir() {
    dir="$E2E_TMP/work$$_$1"
    mkdir -p "$dir"
    ln -s "$RUN_DIR/Media" "$dir/Media"
    printf '%s\n' "$2" > "$dir/settings.ini"
    echo "$dir"
}

# The city: the game seeds it from time(), which the preloaded tests/libfixed_time.so answers
# with CITY_SEED, so every script plays the city it chose (the menu's clock then stands still at
# that moment). A script sets CITY_SEED before it starts the game; LORNHAVEN_CITY_SEED overrides
# it, to replay a failure on the city a run printed; "clock" leaves the game its own clock.
CITY_SEED=${LORNHAVEN_CITY_SEED:-1}
FIXED_TIME_LIB="$BUILD_DIR/tests/libfixed_time.so"
# Under AddressSanitizer its runtime must be the first library loaded, ahead of the preload.
ASAN_RUNTIME=$(ldd "$GAME" 2>/dev/null | awk '/libasan/ {print $3; exit}')

# Chooses the city of seed $1 for this script, unless LORNHAVEN_CITY_SEED asks for another.
choose_city() {
    CITY_SEED=${LORNHAVEN_CITY_SEED:-$1}
}

# In a subshell about to start the game: preloads the fixed clock unless CITY_SEED is "clock".
use_city_seed() {
    [ "$CITY_SEED" = clock ] && return 0
    case $CITY_SEED in
    '' | *[!0-9]*) echo "FAIL: CITY_SEED=$CITY_SEED is not a whole number" >&2; exit 1 ;;
    esac
    [ -f "$FIXED_TIME_LIB" ] || { echo "FAIL: no $FIXED_TIME_LIB: build the tests first" >&2; exit 1; }
    LD_PRELOAD="${ASAN_RUNTIME:+$ASAN_RUNTIME:}$FIXED_TIME_LIB${LD_PRELOAD:+:$LD_PRELOAD}"
    LORNHAVEN_FIXED_TIME=$CITY_SEED
    # The same moment shows the same clock on every machine.
    TZ=UTC0
    export LD_PRELOAD LORNHAVEN_FIXED_TIME TZ
}

# Starts the game in folder $1 in the background, on the city of CITY_SEED; GAME_PID is set.
start_game() {
    [ "$CITY_SEED" = clock ] || echo "city seed $CITY_SEED (LORNHAVEN_CITY_SEED=$CITY_SEED replays it)"
    (cd "$1" && use_city_seed && exec "$GAME") >"$E2E_TMP/game.out" 2>&1 &
    GAME_PID=$!
}

# Prints the id of the game's window once it is mapped, waiting up to $1 seconds.
wait_for_window() {
    deadline=$(( $(date +%s) + $1 ))
    while [ "$(date +%s)" -lt "$deadline" ]; do
        id=$(xdotool search --onlyvisible --name Lornhaven 2>/dev/null | head -n1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        if ! kill -0 "$GAME_PID" 2>/dev/null; then
            return 1
        fi
        sleep 0.2
    done
    return 1
}

# Waits up to $1 seconds for the game to end and sets EXIT_STATUS ("timeout" if it did not).
# Not for use inside $(...): only the game's parent shell can reap it.
wait_for_exit() {
    deadline=$(( $(date +%s) + $1 ))
    EXIT_STATUS=timeout
    while [ "$(date +%s)" -lt "$deadline" ]; do
        if ! kill -0 "$GAME_PID" 2>/dev/null || [ "$(ps -o stat= -p "$GAME_PID" 2>/dev/null | cut -c1)" = Z ]; then
            wait "$GAME_PID"
            EXIT_STATUS=$?
            GAME_PID=""
            return 0
        fi
        sleep 0.1
    done
    return 1
}

window_size() {
    xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'
}
