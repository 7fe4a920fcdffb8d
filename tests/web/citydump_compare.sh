#!/bin/sh
# The same seed builds the same city in the browser build as on the desktop: the city printer
# built by Emscripten (run by node) prints exactly what the native one prints, for 50 seeds
# from 0 up to the largest, clock-like ones among them. The browser build's output is read
# through a pipe whose reader stalls once the output has begun, as a slow reader does: the
# printer must then wait for it, not lose the end of the city and end with status 0.
# Usage: citydump_compare.sh NATIVE_CITYDUMP WEB_CITYDUMP_JS
set -u
native=$1
web=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
compared=0
for seed in 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 42 99 127773 2147483646 \
    2147483647 2147483648 2147483649 3000000000 4294967295 \
    1765000000 1765000001 1765000002 1765000003 1765000004 1765000005 1765000006 1765000007 \
    1765000008 1765000009 1796000000 1796000001 1796000002 1796000003 1796000004 1796000005 \
    1796000006 1796000007 1796000008 1796000009; do
    "$native" "$seed" > "$work/native.txt" || { echo "FAIL: native citydump $seed"; failed=$((failed + 1)); continue; }
    { node "$web" "$seed"; echo $? > "$work/status"; } |
        { dd bs=1 count=1 2>/dev/null; sleep 0.2; cat; } > "$work/web.txt"
    [ "$(cat "$work/status")" = 0 ] || { echo "FAIL: node citydump.js $seed"; failed=$((failed + 1)); continue; }
    compared=$((compared + 1))
    if [ ! -s "$work/native.txt" ] || ! cmp -s "$work/native.txt" "$work/web.txt"; then
        echo "FAIL: seed $seed builds another city in the browser build" \
            "($(wc -c < "$work/web.txt") bytes against $(wc -c < "$work/native.txt")):"
        diff "$work/native.txt" "$work/web.txt" | head -n 5 | cut -c 1-100
        failed=$((failed + 1))
    fi
done
[ "$compared" -eq 50 ] || { echo "FAIL: compared $compared seeds, expected 50"; exit 1; }
[ "$failed" -eq 0 ] || exit 1
echo "50 seeds: the browser build's cities equal the desktop's ($(wc -l < "$work/native.txt") lines each)"
