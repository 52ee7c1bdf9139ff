#!/usr/bin/env bash
# Runs a command against a private X server of its own (Xvfb), so tests
# that open windows never share a screen. The server ends with the command.
# ZP_XVFB_SCREEN sets the screen's size and depth (default 2560x1600x24,
# room for a window at twice the game's own size).
set -u
screen=${ZP_XVFB_SCREEN:-2560x1600x24}

log=$(mktemp)
# -noreset: without it the server resets whenever its last client leaves, and
# a client connecting at that moment fails with "Failed to open X11 display".
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$log" 2>/dev/null &
server=$!
for _ in $(seq 1 200); do
    [ -s "$log" ] && break
    kill -0 "$server" 2>/dev/null || break
    sleep 0.02
done
display=$(head -n 1 "$log")
rm -f "$log"
if [ -z "$display" ]; then
    echo "with-display: Xvfb did not start" >&2
    kill "$server" 2>/dev/null
    exit 1
fi

DISPLAY=":$display" "$@"
status=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
exit $status
