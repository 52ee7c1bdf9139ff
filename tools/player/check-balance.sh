#!/bin/sh
# Plays the balance report's games again and compares the report with the
# committed one; a difference fails, with the new report shown. After a
# change to the game's numbers, write the file again:
#   build/cinderwatch_player --report docs/balance.md
#   check-balance.sh CINDERWATCH_PLAYER docs/balance.md
set -u
player=$1
committed=$2
run_dir=$(mktemp -d)
trap 'rm -rf "$run_dir"' EXIT
cd "$run_dir" || exit 1

"$player" --report balance.md || exit 1
if ! diff -u "$committed" balance.md; then
    echo "FAIL: the balance report changed; write $committed again with: cinderwatch_player --report $committed"
    exit 1
fi
echo "OK: the balance report is up to date"
