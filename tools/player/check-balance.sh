#!/bin/sh
# Checks the balance report against the game as it is now.
#   check-balance.sh CINDERWATCH_PLAYER docs/balance.md
#       plays every game of the report again and compares the whole report
#       (the table is written into a copy of the committed file, so the text
#       written by hand around it stays); a difference fails, with the new
#       report shown. After a change to the game's numbers, write it again:
#           cinderwatch_player --report docs/balance.md --jobs 2
#   check-balance.sh CINDERWATCH_PLAYER docs/balance.md BUDGET
#       for builds too slow for that (the sanitizers'): every game is played
#       for at most BUDGET steps; the games the report says were lost by then
#       must give their rows again, the others must still be running.
set -u
# Absolute, since the games run in a folder of their own.
absolute() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
player=$(absolute "$1")
committed=$(absolute "$2")
budget=${3:-}
run_dir=$(mktemp -d)
trap 'rm -rf "$run_dir"' EXIT
cd "$run_dir" || exit 1

if [ -n "$budget" ]; then
    if ! "$player" --check "$committed" --budget "$budget" --jobs 2; then
        echo "FAIL: the balance report's games within $budget steps are not as the report says;"
        echo "write it again with a Release build: cinderwatch_player --report $committed --jobs 2"
        exit 1
    fi
    echo "OK: the balance report holds for its games' first $budget steps (a Release build checks them whole)"
    exit 0
fi

cp "$committed" balance.md || exit 1
"$player" --report balance.md --jobs 2 || exit 1
if ! diff -u "$committed" balance.md; then
    echo "FAIL: the balance report changed; write $committed again with: cinderwatch_player --report $committed --jobs 2"
    exit 1
fi
echo "OK: the balance report is up to date"
