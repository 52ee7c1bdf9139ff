#!/bin/sh
# Writes the regression games again, for a change to the game that is meant
# to change how games go: the scripted player's games are played again, the
# game written by hand (NAME.input) gets fresh checks by a replay with
# --record, and every NAME.final takes the new final state.
#   tests/recordings/regenerate.sh BUILD_DIR
set -eu
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
run_dir=$(mktemp -d)
trap 'rm -rf "$run_dir"' EXIT
cd "$run_dir"

for level in 1 2 3; do
    "$build/cinderwatch_player" --level "$level" --strategy one-gatling \
        --record "$here/level$level-one-gatling.rec" >/dev/null
done
"$build/cinderwatch_player" --level 2 --strategy greedy --steps 6000 --record "$here/level2-greedy.rec" >/dev/null
# The player's choices at Veteran: upgrades (U) and targeting modes (T).
"$build/cinderwatch_player" --level 1 --strategy upgrader --difficulty veteran \
    --record "$here/level1-veteran-upgrader.rec" >/dev/null
"$build/cinderwatch_player" --level 3 --strategy targeting --difficulty veteran \
    --record "$here/level3-veteran-targeting.rec" >/dev/null

for input in "$here"/*.input; do
    recording=${input%.input}.rec
    "$build/cinderwatch" --replay "$input" --headless --record pinned.rec >/dev/null
    # The comments of the game written by hand stay at its top.
    { head -n 1 pinned.rec; grep '^#' "$input"; tail -n +2 pinned.rec; } >"$recording"
done

for recording in "$here"/*.rec; do
    "$build/cinderwatch" --replay "$recording" --headless | head -n 1 >"${recording%.rec}.final"
done
