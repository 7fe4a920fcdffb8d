#!/bin/sh
# Sound: through SDL's disk audio driver the music is really mixed (the written samples are
# not silence); with no usable audio device, and with no Media/music.ogg, the game still
# starts and plays.
# Usage: audio.sh GAME RUN_DIR   (run from the build folder; starts its own Xvfb)
set -u
. "$(dirname "$0")/lib/on_screen.sh"

# Goes from the splash to play with the a key and checks that play goes on; $1 names the case.
play_through() {
    state=$(wait_for_state "$WIN" splash 120) || fail "$1: the splash never showed (saw $state)"
    point_at "$WIN" 320 240
    state=$(go_to_play "$WIN" 60) || fail "$1: play never started (saw $state)"
    xdotool keydown w
    sleep 1
    xdotool keyup w
    state=$(screen_state "$WIN")
    [ "$state" = play ] || fail "$1: play gave way to $state"
}

work=$(make_workdir audio "screenw=640
screenh=480")

# The disk driver writes the mix in real time (40 ms per buffer) to a file.
mix="$E2E_TMP/mix.raw"
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$mix" SDL_DISKAUDIODELAY=40
export SDL_AUDIODRIVER SDL_DISKAUDIOFILE SDL_DISKAUDIODELAY
start_and_focus "$work"
# Two seconds of 16-bit stereo at 22050 Hz are 176400 bytes; wait for at least that much.
deadline=$(( $(date +%s) + 120 ))
while [ "$(stat -c %s "$mix" 2>/dev/null || echo 0)" -lt 176400 ] && [ "$(date +%s)" -lt "$deadline" ]; do
    sleep 0.3
done
bytes=$(stat -c %s "$mix" 2>/dev/null || echo 0)
[ "$bytes" -ge 176400 ] || fail "the disk audio driver wrote only $bytes bytes"
# Silence is one repeated sample value whatever the format: look at the spread of the 16-bit
# words after the first second.
spread=$(od -An -v -td2 -w2 -j 88200 -N 88200 "$mix" |
    awk '{ s += $1; q += $1 * $1; n++ } END { m = s / n; v = q / n - m * m; printf "%d\n", sqrt(v > 0 ? v : 0) }')
[ "$spread" -gt 100 ] || fail "the mixed music is silence (spread $spread of 32768)"
echo "the disk driver wrote $bytes bytes of music, spread $spread of 32768"
play_through "disk audio"
close_and_expect_zero
unset SDL_DISKAUDIOFILE SDL_DISKAUDIODELAY

# No usable audio device.
SDL_AUDIODRIVER=nosuchdriver
start_and_focus "$work"
play_through "no audio device"
close_and_expect_zero
echo "without an audio device the game started and played"

# No music file.
SDL_AUDIODRIVER=dummy
work=$(make_media_workdir nomusic "screenw=640
screenh=480")
rm "$work/Media/music.ogg"
start_and_focus "$work"
play_through "no music.ogg"
close_and_expect_zero
echo "without Media/music.ogg the game started and played"
echo PASS
