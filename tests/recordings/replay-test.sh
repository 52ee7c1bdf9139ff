#!/bin/sh
# Replays one regression game headless and compares its final state with the
# one kept beside it (NAME.final): the check lines inside the recording pin
# the course of the game, this line pins where it ends.
#   replay-test.sh CINDERWATCH RECORDING.rec
set -u
cinderwatch=$1
recording=$2
expected=${recording%.rec}.final

run_dir=$(mktemp -d)
trap 'rm -rf "$run_dir"' EXIT
cd "$run_dir" || exit 1

"$cinderwatch" --replay "$recording" --headless >output-as-written.txt 2>errors.txt
status=$?
# Windows ends its text lines with CR LF: read as lines, they are the same.
tr -d '\r' <output-as-written.txt >output.txt
cat output.txt errors.txt
if [ "$status" -ne 0 ]; then
    echo "FAIL: the replay ended with status $status"
    exit 1
fi
if [ "$(head -n 1 output.txt)" != "$(cat "$expected")" ]; then
    echo "FAIL: the final state is not the one in $expected:"
    cat "$expected"
    exit 1
fi
echo "OK: $(head -n 1 output.txt)"
