#!/bin/sh
# cmake --install into a temporary prefix (and through DESTDIR): the game, its data folder,
# the launcher and the desktop entry land where they should, and the installed launcher,
# started from another folder, runs the game with the installed settings and Media.
# Usage: install.sh GAME RUN_DIR   (run from the build folder)
set -u
GAME=$1
RUN_DIR=$2
export GAME RUN_DIR
. "$(dirname "$0")/lib/common.sh"

prefix="$E2E_TMP/prefix"
cmake --install "$BUILD_DIR" --prefix "$prefix" >/dev/null || fail "cmake --install failed"

[ -x "$prefix/bin/lornhaven" ] || fail "no launcher in bin/"
[ -x "$prefix/libexec/lornhaven/lornhaven" ] || fail "no game in libexec/lornhaven/"
cmp -s "$prefix/share/lornhaven/settings.ini" "$RUN_DIR/settings.ini" ||
    fail "installed settings.ini differs from the default one"
[ -d "$prefix/share/lornhaven/Media" ] || fail "no Media folder in share/lornhaven/"
diff -r "$RUN_DIR/Media" "$prefix/share/lornhaven/Media" >/dev/null ||
    fail "installed Media differs from the built one"
entry="$prefix/share/applications/lornhaven.desktop"
[ -f "$entry" ] || fail "no desktop entry"
grep -qx '\[Desktop Entry\]' "$entry" || fail "desktop entry has no [Desktop Entry] group"
grep -qx 'Type=Application' "$entry" || fail "desktop entry is not an application"
grep -qx 'Name=Lornhaven' "$entry" || fail "desktop entry has no name"
grep -qx "Exec=$prefix/bin/lornhaven" "$entry" || fail "desktop entry does not run the installed launcher"

# A staged install keeps the final prefix in the desktop entry and puts files under DESTDIR.
DESTDIR="$E2E_TMP/stage" cmake --install "$BUILD_DIR" --prefix /usr/local >/dev/null ||
    fail "staged install failed"
[ -x "$E2E_TMP/stage/usr/local/bin/lornhaven" ] || fail "staged launcher missing"
grep -qx "Exec=/usr/local/bin/lornhaven" "$E2E_TMP/stage/usr/local/share/applications/lornhaven.desktop" ||
    fail "staged desktop entry names the wrong launcher"

# The installed default settings ask for 1024 x 768; started from / the game would find no
# settings.ini and open at the desktop size instead, and would find no Media.
GAME="$prefix/bin/lornhaven"
export GAME
"$(dirname "$0")/../with-xvfb.sh" sh -c '
    . "$0"
    start_game /
    id=$(wait_for_window 90) || fail "the installed game never opened its window"
    size=$(window_size "$id")
    [ "$size" = "1024x768" ] || fail "installed game window is $size, expected the installed 1024x768"
    "$CLOSEWINDOW" "$id" || fail "could not send the close request"
    wait_for_exit 60
    [ "$EXIT_STATUS" = 0 ] || fail "installed game: exit status $EXIT_STATUS, expected 0"
    if grep -q "cannot load" "$E2E_TMP/game.out"; then
        cat "$E2E_TMP/game.out" >&2
        fail "the installed game could not load its media"
    fi
    echo "installed game opened at $size from / and closed with status 0"
' "$(dirname "$0")/lib/common.sh" || exit 1
echo PASS
