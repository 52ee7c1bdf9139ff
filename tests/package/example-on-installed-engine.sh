#!/usr/bin/env bash
# The engine as another game uses it: installs the engine from the build
# folder into a staging prefix, builds a copy of one of examples/ (outside
# the source tree) with find_package(zp) against that prefix only, and plays
# it under a private X display:
#   stars        plays itself for a while and must catch stars;
#   first-game   the guide's first game (docs/guide.md), run for a number of
#                steps with a fixed seed, twice: the same seed, the same game;
#   snake        plays itself with its recording on, then the recording is
#                replayed without a window and must end alike; then a game is
#                played with real keys (xdotool) to its game-over screen,
#                again, and quit, and replayed alike.
# Usage: example-on-installed-engine.sh <build folder> [stars|first-game|snake]
set -euo pipefail
build=$(cd "$1" && pwd)
example=${2:-stars}
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$work/prefix" --component engine >"$work/install.log"
config=$(find "$work/prefix" -name zpConfig.cmake)
[ -n "$config" ] || fail "no zpConfig.cmake installed"
[ -f "$work/prefix/include/zp/GameManager.h" ] || fail "no public headers installed"

cp -r "$root/examples/$example" "$work/$example"
cmake -S "$work/$example" -B "$work/build" -DCMAKE_PREFIX_PATH="$work/prefix" \
    -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >"$work/configure.log" || { cat "$work/configure.log"; fail "configure"; }
# The headers must come from the installed package, never from the source tree.
grep -q "$work/prefix/include" "$work/build/compile_commands.json" || fail "installed headers not used"
! grep -q "$root/engine" "$work/build/compile_commands.json" || fail "the source tree's engine was used"
cmake --build "$work/build" -j2 >"$work/build.log" || { cat "$work/build.log"; fail "build"; }
# SFML comes through its own imported targets, found by the package's config
# (a bare -lsfml-graphics would link here by luck and fail elsewhere).
link=$(find "$work/build/CMakeFiles" -name link.txt | head -n 1)
grep -q "libsfml-graphics\.so" "$link" || fail "SFML linked by name, not through its imported targets: $(cat "$link")"
# No example needs a windowing-library header of its own.
! grep -rq "#include <SFML" "$work/$example" || fail "the example includes SFML itself"

# The sanitizer runtime would report the GL driver's blocks, unloaded with the window.
export ASAN_OPTIONS=detect_leaks=0 ALSOFT_DRIVERS=null

# run NAME COMMAND...: runs in the build folder, keeps standard output in NAME.out.
run() {
    local name=$1
    shift
    (cd "$work/build" && "$@") >"$work/$name.out" 2>"$work/$name.err" ||
        { cat "$work/$name.out" "$work/$name.err"; fail "$name: exited with an error"; }
    cat "$work/$name.out"
}

case "$example" in
stars)
    run stars "$root/scripts/with-display.sh" ./stars --autoplay 300
    caught=$(sed -n 's/^stars caught: \([0-9]*\)$/\1/p' "$work/stars.out")
    [ -n "$caught" ] && [ "$caught" -ge 2 ] || fail "the example caught too few stars"
    echo "example built against the installed engine and played: $caught stars"
    ;;
first-game)
    run dodge1 "$root/scripts/with-display.sh" ./dodge --seed 7 --steps 240
    run dodge2 "$root/scripts/with-display.sh" ./dodge --seed 7 --steps 240
    grep -q '^dodged: [0-9][0-9]*$' "$work/dodge1.out" || fail "dodge said no score"
    cmp -s "$work/dodge1.out" "$work/dodge2.out" || fail "the same seed played another game"
    ! grep -q "Message: [^ ]* was called\|is not an object\|made before" "$work/build/dodge.log" ||
        fail "the engine complained: $(cat "$work/build/dodge.log")"
    echo "the guide's first game built against the installed engine and played: $(cat "$work/dodge1.out")"
    ;;
snake)
    # 1. The autopilot plays (and plays again) for 900 steps, recorded.
    run autopilot "$root/scripts/with-display.sh" ./snake --autopilot --steps 900 --record autopilot.rec
    line=$(cat "$work/autopilot.out")
    [[ "$line" =~ ^snake:\ games\ [0-9]+,\ scores(\ [0-9]+)+,\ steps\ 901$ ]] || fail "autopilot: '$line'"
    best=$(sed 's/.*scores //; s/, steps.*//' <<<"$line" | tr ' ' '\n' | sort -n | tail -n 1)
    [ "${best:-0}" -ge 30 ] || fail "the autopilot ate too little: '$line'"
    grep -q '^seed [0-9a-f]\{16\}$' "$work/build/autopilot.rec" || fail "the recording holds no random state"
    # 2. Its replay, headless: the same food at the same cells, the same games.
    run autopilot-replay ./snake --replay autopilot.rec --headless
    cmp -s "$work/autopilot.out" "$work/autopilot-replay.out" ||
        fail "the replay ended otherwise: '$(cat "$work/autopilot-replay.out")' after '$line'"
    # 3. Real keys: up into the wall, the game-over screen, R, then Q.
    (
        cd "$work/build"
        "$root/scripts/with-display.sh" bash -c '
            set -u
            wait_for() { # wait_for TEXT: until the log has a line with it
                for _ in $(seq 1 600); do
                    grep -q "$1" snake.log 2>/dev/null && return 0
                    sleep 0.1
                done
                echo "no \"$1\" in the log" >&2
                return 1
            }
            ./snake --record keys.rec >keys.out 2>keys.err &
            game=$!
            for _ in $(seq 1 300); do
                window=$(xdotool search --name "^Zephane$" 2>/dev/null | head -n 1)
                [ -n "$window" ] && break
                sleep 0.1
            done
            [ -n "$window" ] || { echo "no window" >&2; kill $game; exit 1; }
            # Without a window manager the keyboard focus follows the pointer.
            xdotool mousemove --window "$window" 500 400
            wait_for "Game 1 begins" && xdotool key Up && wait_for "Game over" &&
                sleep 0.5 && import -window "$window" over.png &&
                xdotool key r && wait_for "Game 2 begins" && xdotool key q
            status=$?
            wait $game || status=1
            exit $status
        '
    ) || { cat "$work/build/keys.err" "$work/build/snake.log" 2>/dev/null; fail "keys: the game did not go as played"; }
    cat "$work/build/keys.out"
    grep -q '^snake: games 2, scores [0-9]* [0-9]*, steps [0-9]*$' "$work/build/keys.out" ||
        fail "keys: '$(cat "$work/build/keys.out")'"
    for key in 73 17 16; do # Up, R, Q: the engine's key codes
        grep -q "^key [0-9]* pressed $key$" "$work/build/keys.rec" || fail "keys: no key $key in the recording"
    done
    # The game-over screen shows: its title in red.
    red=$(convert "$work/build/over.png" -fuzz 25% -fill black +opaque red -fill white -opaque red \
        -format '%[fx:round(mean*w*h)]' info:)
    [ "$red" -ge 200 ] || fail "keys: no red title on the game-over screen ($red red pixels)"
    run keys-replay ./snake --replay keys.rec --headless
    cmp -s "$work/build/keys.out" "$work/keys-replay.out" ||
        fail "keys: the replay ended otherwise: '$(cat "$work/keys-replay.out")'"
    echo "snake built against the installed engine, played by itself and by keys, and replayed alike"
    ;;
*)
    fail "no example $example"
    ;;
esac
