#!/bin/sh
# The Debian package as a player meets it: scripts/package.sh builds it, lintian finds no error
# and no warning that is not overridden, apt installs it, and the installed lornhaven, started
# from / with a throwaway home, opens at the player's settings (copied there on the first
# start), goes from the splash through the title into play and ends with 0 on "Exit"; the
# player's changed settings.ini sizes the next start. apt-get remove and purge then leave no
# file of the package behind. Needs root (or sudo without a password): it installs a package.
# Usage: deb_install.sh   (run from the build folder; the package is built in deb/ there)
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ -z "${LORNHAVEN_E2E_XVFB:-}" ]; then
    LORNHAVEN_E2E_XVFB=1 exec "$root/tests/with-xvfb.sh" "$0" "$@"
fi

SUDO=""
if [ "$(id -u)" != 0 ]; then
    if ! sudo -n true 2>/dev/null; then
        echo "SKIP: installing a package needs root or sudo without a password"
        exit 77
    fi
    SUDO="sudo -n"
fi

GAME=/usr/games/lornhaven
RUN_DIR=/usr/share/games/lornhaven
. "$root/tests/e2e/lib/common.sh"
. "$root/tests/e2e/lib/screen.sh"

# A package left by an earlier run of this test that was killed is purged first; one that a
# person installed is not touched.
marker=/var/tmp/lornhaven-package-test
if dpkg-query -W -f='${db:Status-Status}' lornhaven 2>/dev/null | grep -qv not-installed; then
    [ -f "$marker" ] || fail "lornhaven is installed on this machine; purge it to run this test"
fi
apt() {
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get -y -o DPkg::Lock::Timeout=900 "$@" \
        >"$E2E_TMP/apt.log" 2>&1 || { cat "$E2E_TMP/apt.log" >&2; return 1; }
}
package_cleanup() {
    cleanup
    if [ -f "$marker" ]; then
        $SUDO env DEBIAN_FRONTEND=noninteractive apt-get -y -o DPkg::Lock::Timeout=900 \
            purge lornhaven >/dev/null 2>&1
        $SUDO rm -f "$marker"
    fi
}
trap package_cleanup EXIT
trap 'exit 1' INT TERM HUP
if [ -f "$marker" ]; then
    apt purge lornhaven || fail "could not purge the package an earlier run left"
fi

deb=$("$root/scripts/package.sh" "$BUILD_DIR/deb" 2>"$E2E_TMP/package.log" | tail -n1)
[ -f "$deb" ] || { cat "$E2E_TMP/package.log" >&2; fail "scripts/package.sh made no package"; }
echo "built $deb"
case $(dpkg-deb -f "$deb" Depends) in
*libsdl1.2*libgl1* | *libgl1*libsdl1.2*) ;;
*) fail "the package's dependencies miss SDL or OpenGL: $(dpkg-deb -f "$deb" Depends)" ;;
esac

lintian --fail-on error,warning --display-info "$deb" >"$E2E_TMP/lintian.log" 2>&1
lintian_status=$?
cat "$E2E_TMP/lintian.log"
[ "$lintian_status" = 0 ] || fail "lintian found errors or warnings"

$SUDO touch "$marker"
apt install "$deb" || fail "apt-get install of the package failed"
dpkg -L lornhaven >"$E2E_TMP/files"
echo "installed $(wc -l <"$E2E_TMP/files") paths"

[ -x /usr/games/lornhaven ] || fail "no /usr/games/lornhaven"
desktop-file-validate /usr/share/applications/lornhaven.desktop || fail "the desktop entry is not valid"
grep -qx 'Exec=/usr/games/lornhaven' /usr/share/applications/lornhaven.desktop ||
    fail "the desktop entry does not start /usr/games/lornhaven"
grep -qx 'Icon=lornhaven' /usr/share/applications/lornhaven.desktop || fail "the desktop entry names no icon"
for size in 48 64 128 256; do
    icon=/usr/share/icons/hicolor/${size}x$size/apps/lornhaven.png
    [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x$size" ] || fail "no ${size}x$size icon"
done
appstreamcli validate --no-net /usr/share/metainfo/*lornhaven*.metainfo.xml || fail "the AppStream data is not valid"
# A machine may tell dpkg to skip manual pages (path-exclude, as in slim images); the page is
# then read from the package itself.
if grep -qs '^path-exclude.*/usr/share/man' /etc/dpkg/dpkg.cfg /etc/dpkg/dpkg.cfg.d/*; then
    dpkg-deb -x "$deb" "$E2E_TMP/unpacked"
    page="$E2E_TMP/unpacked/usr/share/man/man6/lornhaven.6.gz"
else
    page=$(man -w lornhaven) || fail "man finds no page for lornhaven"
fi
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >"$E2E_TMP/man.txt")
[ -z "$warnings" ] || fail "the manual page gives warnings: $warnings"
grep -q 'screenw' "$E2E_TMP/man.txt" || fail "the manual page does not describe the settings"

# A player's first start, from / and by name as from a menu: a folder of their own with the
# default settings, the window at the default 1024 x 768.
home="$E2E_TMP/home"
mkdir -p "$home"
HOME=$home
PATH="$PATH:/usr/games"
GAME=lornhaven
# The installed command is a shell script: nothing is preloaded, the game keeps its own clock.
CITY_SEED=clock
unset XDG_CONFIG_HOME
export HOME PATH GAME
player="$home/.config/lornhaven"
MEDIA_REF=/usr/share/games/lornhaven/Media
start_and_focus /
size=$(window_size "$WIN")
[ "$size" = 1024x768 ] || fail "the first start opened at $size, expected the default 1024x768"
cmp -s "$player/settings.ini" /usr/share/games/lornhaven/settings.ini ||
    fail "the player's folder holds no copy of the default settings"
[ "$(readlink -f "$player/Media")" = /usr/share/games/lornhaven/Media ] || fail "the player's Media is not the shared one"
close_and_expect_zero
echo "first start: window $size, $player holds the default settings.ini"

# The player's own settings are kept and used from the next start on.
printf 'screenw=640\nscreenh=480\nmipmapping=1\n' >"$player/settings.ini"
start_and_focus /
size=$(window_size "$WIN")
[ "$size" = 640x480 ] || fail "after the player changed settings.ini the window is $size, expected 640x480"
grep -qx 'screenw=640' "$player/settings.ini" || fail "the launcher overwrote the player's settings.ini"
point_at "$WIN" 320 240
state=$(wait_for_state "$WIN" splash 120) || fail "the splash never showed (saw $state)"
state=$(wait_for_state "$WIN" title 60) || fail "the title never followed the splash (saw $state)"
state=$(go_to_play "$WIN" 60) || fail "play never started (saw $state)"
press_key Escape
state=$(wait_for_state "$WIN" menu 30) || fail "Escape did not open the menu (saw $state)"
wait_until_still "$WIN" 30 || fail "the menu never came to rest"
click_at "$WIN" 320 165
wait_for_exit 60
[ "$EXIT_STATUS" = 0 ] || fail "\"Exit\" gave status $EXIT_STATUS, expected 0: $(tail -n 30 "$E2E_TMP/game.out")"
if grep -q "cannot load" "$E2E_TMP/game.out"; then
    cat "$E2E_TMP/game.out" >&2
    fail "the installed game could not load its media"
fi
echo "second start: window $size from the player's settings, splash, title, play, Exit with status 0"

# Removal: remove, then purge; nothing the package put on the machine may stay.
# The package has no configuration files, so remove alone may already forget it; apt-get
# purge then knows no such package and is only run while dpkg still keeps its record.
apt remove lornhaven || fail "apt-get remove failed"
status=$(dpkg-query -W -f='${db:Status-Status}' lornhaven 2>/dev/null)
if [ -n "$status" ] && [ "$status" != not-installed ]; then
    apt purge lornhaven || fail "apt-get purge failed"
fi
$SUDO rm -f "$marker"
status=$(dpkg-query -W -f='${db:Status-Status}' lornhaven 2>/dev/null)
[ -z "$status" ] || [ "$status" = not-installed ] || fail "after purge dpkg still knows lornhaven as $status"
left=""
while read -r path; do
    [ "$path" = /. ] && continue
    if { [ -e "$path" ] || [ -L "$path" ]; } && ! dpkg -S "$path" >/dev/null 2>&1; then
        left="$left $path"
    fi
done <"$E2E_TMP/files"
[ -z "$left" ] || fail "left behind after purge:$left"
ls /var/lib/dpkg/info/lornhaven.* >/dev/null 2>&1 && fail "dpkg keeps records of lornhaven after purge"
echo "remove and purge left nothing of the package behind"
echo PASS
