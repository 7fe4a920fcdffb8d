#!/bin/sh
# Runs a command with DISPLAY pointing at a private Xvfb that lives only as long as the command.
set -u
fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fdfile" 2>/dev/null &
xvfb_pid=$!
i=0
while [ ! -s "$fdfile" ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i + 1)); done
if [ ! -s "$fdfile" ]; then
    echo "with-xvfb: Xvfb did not start" >&2
    kill "$xvfb_pid" 2>/dev/null
    rm -f "$fdfile"
    exit 1
fi
DISPLAY=":$(head -n1 "$fdfile")"
export DISPLAY
rm -f "$fdfile"
"$@"
status=$?
kill "$xvfb_pid" 2>/dev/null
wait "$xvfb_pid" 2>/dev/null
exit $status
