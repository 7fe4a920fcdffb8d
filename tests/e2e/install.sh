#!/bin/sh
# cmake --install into a temporary prefix (and through DESTDIR): the game, its data folder,
# the launcher, the desktop entry, the software-centre data and the manual page land where
# they should. The installed launcher, started from another folder, gives the player a folder
# of their own with a copy of the installed settings and the installed Media; a settings file
# the player broke is kept as it is and still starts the game; a Media link the player made is
# kept.
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
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
for size in 48 64 128 256; do
    [ -f "$prefix/share/icons/hicolor/${size}x$size/apps/lornhaven.png" ] || fail "no ${size}x$size icon in share/icons/hicolor/"
done
appstreamcli validate --no-net "$prefix"/share/metainfo/*lornhaven*.metainfo.xml >"$E2E_TMP/appstream.log" 2>&1 || {
    cat "$E2E_TMP/appstream.log" >&2
    fail "the AppStream data is not valid"
}
page="$prefix/share/man/man6/lornhaven.6"
[ -f "$page" ] || fail "no manual page in share/man/man6/"
grep -q "$prefix/share/lornhaven/settings.ini" "$page" || fail "the manual page does not name the installed settings"
! grep -q '@[A-Z]*@' "$page" || fail "the manual page keeps a placeholder: $(grep '@[A-Z]*@' "$page")"

# A staged install keeps the final prefix in the desktop entry and puts files under DESTDIR.
DESTDIR="$E2E_TMP/stage" cmake --install "$BUILD_DIR" --prefix /usr/local >/dev/null ||
    fail "staged install failed"
[ -x "$E2E_TMP/stage/usr/local/bin/lornhaven" ] || fail "staged launcher missing"
grep -qx "Exec=/usr/local/bin/lornhaven" "$E2E_TMP/stage/usr/local/share/applications/lornhaven.desktop" ||
    fail "staged desktop entry names the wrong launcher"

# The installed default settings ask for 1024 x 768; started from / the game would find no
# settings.ini and open at the desktop size instead, and would find no Media. The player's
# folder is a throwaway one.
GAME="$prefix/bin/lornhaven"
HOME="$E2E_TMP/home"
XDG_CONFIG_HOME="$E2E_TMP/config"
PREFIX=$prefix
mkdir -p "$HOME"
export GAME HOME XDG_CONFIG_HOME PREFIX
"$(dirname "$0")/../with-xvfb.sh" sh -c '
    . "$0"
    # The installed launcher is a shell script: nothing is preloaded, the game keeps its clock.
    CITY_SEED=clock
    player="$XDG_CONFIG_HOME/lornhaven"
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
    cmp -s "$player/settings.ini" "$PREFIX/share/lornhaven/settings.ini" ||
        fail "the player folder $player holds no copy of the installed settings"
    [ "$(readlink -f "$player/Media")" = "$(readlink -f "$PREFIX/share/lornhaven/Media")" ] ||
        fail "the player folder Media is not the installed one"
    [ ! -e "$HOME/.config" ] || fail "the launcher used ~/.config although XDG_CONFIG_HOME is set"
    echo "installed game opened at $size from / and closed with status 0; $player holds its settings"

    # A settings file the player broke: kept as it is, every key reads as 0, so the window
    # opens at the desktop size (after the size probe window, hence the settling loop).
    printf "\377\376garbage\000\nscreenw=abc\nscreenh\n" >"$player/settings.ini"
    cp "$player/settings.ini" "$E2E_TMP/broken.ini"
    desktop=$(xwininfo -root | awk "/Width:/ {w=\$2} /Height:/ {h=\$2} END {print w \"x\" h}")
    start_game /
    deadline=$(( $(date +%s) + 120 ))
    size=none
    while [ "$(date +%s)" -lt "$deadline" ]; do
        id=$(wait_for_window 120) || fail "with a broken settings.ini the game never opened its window: $(cat "$E2E_TMP/game.out")"
        size=$(window_size "$id" 2>/dev/null)
        if [ "$size" = "$desktop" ]; then
            # The probe window is gone within a moment; the game window stays.
            sleep 1
            [ "$(window_size "$id" 2>/dev/null)" = "$desktop" ] && break
        fi
        sleep 0.3
    done
    [ "$size" = "$desktop" ] || fail "with a broken settings.ini the window is $size, expected the desktop size $desktop"
    "$CLOSEWINDOW" "$id" || fail "could not send the close request"
    wait_for_exit 60
    [ "$EXIT_STATUS" = 0 ] || fail "with a broken settings.ini: exit status $EXIT_STATUS, expected 0"
    cmp -s "$player/settings.ini" "$E2E_TMP/broken.ini" || fail "the launcher replaced the player settings.ini"
    echo "a broken settings.ini was kept and the game opened at the desktop size $size"
' "$(dirname "$0")/lib/common.sh" || exit 1

# The launcher and the player's Media link: a link the player made to a folder of their own
# stays as it is; a dangling one, and one to this game's data installed elsewhere, are pointed
# at the installed data. Without a display the game stops at once, after the launcher's work.
player="$XDG_CONFIG_HOME/lornhaven"
installed=$(readlink -f "$prefix/share/lornhaven/Media")
launch_without_display() {
    (unset DISPLAY; exec "$GAME") >"$E2E_TMP/launch.out" 2>&1
    status=$?
    [ "$status" = 1 ] || fail "the installed game without a display: status $status, expected 1: $(cat "$E2E_TMP/launch.out")"
}
cp -r "$RUN_DIR/Media" "$E2E_TMP/own_textures"
ln -sfn "$E2E_TMP/own_textures" "$player/Media"
launch_without_display
[ "$(readlink "$player/Media")" = "$E2E_TMP/own_textures" ] ||
    fail "the launcher re-pointed the player's own Media link to $(readlink "$player/Media")"
ln -sfn "$E2E_TMP/gone/Media" "$player/Media"
launch_without_display
[ "$(readlink -f "$player/Media")" = "$installed" ] ||
    fail "the launcher left a dangling Media link pointing at $(readlink "$player/Media")"
mkdir -p "$E2E_TMP/elsewhere/share/lornhaven"
cp -r "$RUN_DIR/Media" "$E2E_TMP/elsewhere/share/lornhaven/Media"
ln -sfn "$E2E_TMP/elsewhere/share/lornhaven/Media" "$player/Media"
launch_without_display
[ "$(readlink -f "$player/Media")" = "$installed" ] ||
    fail "the launcher left a Media link to another install's data pointing at $(readlink "$player/Media")"
echo "the player's own Media link was kept; a dangling one and one to another install's data were pointed at $installed"
echo PASS
