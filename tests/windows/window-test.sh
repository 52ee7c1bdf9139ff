#!/usr/bin/env bash
# The Windows game in a window under Wine, on the private X server that
# scripts/with-display.sh gives it: it starts and shows the menu (read off a
# capture with the end-to-end tests' reader, built for Windows), Q quits it
# from the menu with status 0, and a recorded game replays in the window to
# the recording's final state with status 0.
#   window-test.sh BUILD_DIR RECORDING.rec
set -u
build=$1
recording=$2
expected=${recording%.rec}.final
wine_run=$build/wine-run
# A Wine prefix of its own: a Wine session started without a display (the
# headless tests beside this one) gives its programs no windows.
export ZP_WINEPREFIX=$build/wine-prefix-display
deadline_s=90

run_dir=$(mktemp -d)
game=""
cleanup() {
    [ -n "$game" ] && kill "$game" 2>/dev/null
    if [ -z "${ZP_KEEP_RUN_DIR:-}" ]; then rm -rf "$run_dir"; else echo "run folder: $run_dir"; fi
}
trap cleanup EXIT
cd "$run_dir" || exit 1

fail() {
    echo "FAIL: $*"
    for file in game.out game.err zephane.log; do
        [ -s "$file" ] && { echo "--- $file"; tail -n 20 "$file"; }
    done
    exit 1
}

# The X window Wine made for the game's window, titled "Zephane".
window_id() {
    xdotool search --onlyvisible --name '^Zephane$' 2>/dev/null | head -n 1
}

wait_for_window() {
    local id=""
    for _ in $(seq 1 $((deadline_s * 10))); do
        id=$(window_id)
        [ -n "$id" ] && break
        kill -0 "$game" 2>/dev/null || break
        sleep 0.1
    done
    echo "$id"
}

# --- The menu, and Q ---------------------------------------------------------
"$wine_run" "$build/cinderwatch.exe" >game.out 2>game.err &
game=$!
id=$(wait_for_window)
[ -n "$id" ] || fail "no window titled Zephane appeared"
echo "window $id: $(xdotool getwindowgeometry "$id" | tr '\n' ' ')"

# The splash screen lasts 100 steps; then the menu.
menu=(10 "Welcome to Cinderwatch!!" 15 "1. Easy" 16 "2. Medium" 17 "3. Hard")
shown=no
for _ in $(seq 1 $((deadline_s / 3))); do
    import -window "$id" menu.png 2>/dev/null &&
        "$wine_run" "$build/read_screen.exe" menu.png "${menu[@]}" >reader.txt 2>&1 && { shown=yes; break; }
    sleep 2
done
cat reader.txt
[ "$shown" = yes ] || fail "the menu did not show (last capture: menu.png)"
[ -n "${ZP_WINE_SCREENSHOTS:-}" ] && cp menu.png "$ZP_WINE_SCREENSHOTS/wine-menu.png"

# Without a window manager nothing gives the window the keyboard: the test
# does, as a click on it would.
xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
sleep 0.5
xdotool key --delay 60 q
status=""
for _ in $(seq 1 $((deadline_s * 10))); do
    if ! kill -0 "$game" 2>/dev/null; then
        wait "$game"
        status=$?
        break
    fi
    sleep 0.1
done
game=""
[ -n "$status" ] || fail "Q in the menu did not end the game"
[ "$status" -eq 0 ] || fail "Q in the menu ended the game with status $status"
echo "ok: Q quit from the menu with status 0"

# --- A recorded game in the window ------------------------------------------
cp "$recording" game.rec
"$wine_run" "$build/cinderwatch.exe" --replay game.rec >game.out 2>game.err &
game=$!
id=$(wait_for_window)
[ -n "$id" ] || fail "no window for the replay"
# The recording starts level 3 from the menu after the splash screen: once
# the menu has shown and gone, its level is being played in the window.
menu_seen=no
in_play=no
for _ in $(seq 1 $((deadline_s * 2))); do
    sleep 0.5
    kill -0 "$game" 2>/dev/null || break
    import -window "$id" replay.png 2>/dev/null || continue
    if "$wine_run" "$build/read_screen.exe" replay.png 10 "Welcome to Cinderwatch!!" >/dev/null 2>&1; then
        menu_seen=yes
    elif [ "$menu_seen" = yes ]; then
        in_play=yes
        break
    fi
done
[ "$in_play" = yes ] || fail "the replay's window never left the menu"
[ -n "${ZP_WINE_SCREENSHOTS:-}" ] && cp replay.png "$ZP_WINE_SCREENSHOTS/wine-replay.png"
wait "$game"
status=$?
game=""
tr -d '\r' <game.out >game-lf.out
cat game-lf.out
[ "$status" -eq 0 ] || fail "the replay in the window ended with status $status"
[ "$(head -n 1 game-lf.out)" = "$(cat "$expected")" ] || fail "the replay's final state is not $(cat "$expected")"
echo "ok: the recorded game replayed in the window to its final state"
