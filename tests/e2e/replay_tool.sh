#!/bin/sh
# The replay tool from the command line: a trace line per update after the start line, the
# same trace for the same seed, and status 2 with the line named for a malformed script.
# Usage: replay_tool.sh GAME RUN_DIR   (run from the build folder; needs no display)
set -u
REPLAY="$(pwd)/tools/replay"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

printf '# two lines\n3 1 w - 320 240 640 480\n\n2 0.5 w,space left 600 100 640 480\n' > "$tmp/good.txt"
"$REPLAY" 5 "$tmp/good.txt" > "$tmp/a.txt" || fail "status $? for a good script"
"$REPLAY" 5 "$tmp/good.txt" > "$tmp/b.txt" || fail "status $? on the second run"
head -1 "$tmp/a.txt" | grep -Eq '^start [0-9]+ [0-9]+$' || fail "no start line: $(head -1 "$tmp/a.txt")"
[ "$(grep -c '^u hero ' "$tmp/a.txt")" = 5 ] || fail "expected 5 update lines: $(cat "$tmp/a.txt")"
awk 'NR > 1 && (NF != 34 || $23 != "cam") { bad = 1 } END { exit bad }' "$tmp/a.txt" || fail "malformed trace line"
cmp -s "$tmp/a.txt" "$tmp/b.txt" || fail "two runs of one seed differ"

printf '1 1 - - 320 240 640 480\n1 1 w,jump - 320 240 640 480\n' > "$tmp/bad.txt"
"$REPLAY" 5 "$tmp/bad.txt" > "$tmp/c.txt" 2> "$tmp/err.txt"
status=$?
[ "$status" = 2 ] || fail "malformed script ended with status $status, expected 2"
grep -q 'line 2' "$tmp/err.txt" || fail "message does not name line 2: $(cat "$tmp/err.txt")"

"$REPLAY" 5 > /dev/null 2>&1
[ $? = 2 ] || fail "a missing SCRIPT argument should end with status 2"
echo PASS
