#!/usr/bin/env bash
# Recordings and outputs that survive every exit, on the real program
# without a window: a recording reaches its file on every stop signal, a run
# killed outright leaves a temporary file that replays, a replay never
# writes over its own recording, a failed or refused standard output fails
# the run, and a long replay shows its progress on a terminal only.
#   exits-test.sh CINDERWATCH GOOD_RECORDING.rec
set -u
cinderwatch=$1
good=$2

run_dir=$(mktemp -d)
pids=()
cleanup()
{
    for pid in "${pids[@]}"; do
        kill -KILL "$pid" 2>/dev/null
    done
    rm -rf "$run_dir"
}
trap cleanup EXIT
cd "$run_dir" || exit 1
failures=0

fail()
{
    echo "FAIL $1"
    shift
    for file in "$@"; do
        echo "--- $file:"
        head -c 2000 "$file"
    done
    failures=$((failures + 1))
}

ok()
{
    echo "ok   $1"
}

# A game with nothing played that lasts far longer than any test waits.
printf 'zp-recording 1\nmeta level 1\nend 2000000\n' >long.rec

# Starts a long headless replay that records into $1, in the background.
start_long_recording()
{
    rm -f "$1" "$1.tmp"
    "$cinderwatch" --replay long.rec --headless --record "$1" >"$1.out" 2>"$1.err" &
    pids+=($!)
    started=$!
}

# Waits (up to 30 s) until the file $1 holds a line starting with $2.
wait_for_line()
{
    for _ in $(seq 1 120); do
        grep -q "^$2" "$1" 2>/dev/null && return 0
        sleep 0.25
    done
    return 1
}

# A stop signal in the middle of a recorded run: the loop ends, the
# recording is put in place whole, with its end, and replays to it.
for signal in HUP TERM INT; do
    start_long_recording "$signal.rec"
    wait_for_line "$signal.rec.tmp" check || { fail "$signal: no check written as the run goes" "$signal.rec.err"; continue; }
    kill -"$signal" "$started"
    wait "$started"
    status=$?
    end_line=$(grep '^end ' "$signal.rec")
    if [ "$status" -ne 0 ] || [ -z "$end_line" ] || [ -e "$signal.rec.tmp" ] ||
        ! grep -q "Stopped by SIG$signal" zephane.log; then
        fail "SIG$signal: status $status, end line '$end_line'" "$signal.rec.err" zephane.log
        continue
    fi
    end_step=$(echo "$end_line" | cut -d' ' -f2)
    "$cinderwatch" --replay "$signal.rec" --headless >replayed.out 2>replayed.err
    status=$?
    if [ "$status" -ne 0 ] || ! grep -q "^final step $end_step " replayed.out; then
        fail "SIG$signal: the recording does not replay to its end (status $status)" replayed.out replayed.err
    else
        ok "SIG$signal: the recording ends at step $end_step and replays there"
    fi
done

# Killed outright: the file named keeps what it held, and the temporary file
# beside it holds whole lines up to the last second: a recording without its
# end, which replays to its last record.
echo "an older recording" >killed.rec
"$cinderwatch" --replay long.rec --headless --record killed.rec >killed.out 2>killed.err &
pids+=($!)
killed=$!
if ! wait_for_line killed.rec.tmp check; then
    fail "SIGKILL: no check written as the run goes" killed.err
else
    sleep 1.5
    kill -KILL "$killed"
    wait "$killed" 2>/dev/null
    last_step=$(awk '$1 == "check" { step = $2 } END { print step }' killed.rec.tmp)
    "$cinderwatch" --replay killed.rec.tmp --headless >replayed.out 2>replayed.err
    status=$?
    if [ "$(cat killed.rec)" != "an older recording" ]; then
        fail "SIGKILL: the file named was changed" killed.rec
    elif [ "$(tail -c 1 killed.rec.tmp | od -An -c | tr -d ' ')" != '\n' ]; then
        fail "SIGKILL: the temporary file ends within a line" killed.rec.tmp
    elif [ "$status" -ne 0 ] || ! grep -q "^final step $last_step " replayed.out ||
        ! grep -q "has no \"end\" line (its run was cut short); it was replayed to its last record, step $last_step" replayed.err; then
        fail "SIGKILL: the temporary file does not replay to its last record, step $last_step (status $status)" \
            replayed.out replayed.err
    else
        ok "SIGKILL: the temporary file replays to its last check, step $last_step"
    fi
fi

# A replay never writes over the recording it reads, nor over that file's
# temporary file.
cp "$good" same.rec
cp "$good" same.rec.tmp
for pair in "same.rec same.rec" "same.rec ./same.rec" "same.rec.tmp same.rec"; do
    set -- $pair
    "$cinderwatch" --replay "$1" --headless --record "$2" >same.out 2>same.err
    status=$?
    if [ "$status" -ne 2 ] || ! grep -q "would write over the recording that --replay reads" same.err ||
        ! cmp -s "$good" same.rec || ! cmp -s "$good" same.rec.tmp; then
        fail "--replay $1 --record $2: status $status" same.err
    else
        ok "--replay $1 --record $2 is refused"
    fi
done

# A place that takes no file is known before anything is played.
"$cinderwatch" --replay "$good" --headless --record no-such-folder/x.rec >nowhere.out 2>nowhere.err
status=$?
if [ "$status" -ne 1 ] || ! grep -q 'cannot write the recording "no-such-folder/x.rec"' nowhere.err ||
    grep -q "^final" nowhere.out; then
    fail "--record into no folder: status $status" nowhere.err
else
    ok "--record into no folder: status 1 before anything is played"
fi

# Standard output that cannot be written: a full disk, a closed output, a
# pipe whose reader has gone. The run fails and says so; the log is whole.
expect_output_failure()
{
    local name=$1 status=$2
    if [ "$status" -ne 1 ] || ! grep -q "cannot write" output.err ||
        [ "$(tail -c 1 zephane.log | od -An -c | tr -d ' ')" != '\n' ]; then
        fail "$name: status $status (expected 1)" output.err
    else
        ok "$name: status 1, $(head -n 1 output.err)"
    fi
}
"$cinderwatch" --replay "$good" --headless >/dev/full 2>output.err
expect_output_failure "replay >/dev/full" $?
"$cinderwatch" --replay "$good" --headless >&- 2>output.err
expect_output_failure "replay with standard output closed" $?
"$cinderwatch" --replay "$good" --headless 2>output.err | true
expect_output_failure "replay | true" "${PIPESTATUS[0]}"
"$cinderwatch" --help >/dev/full 2>output.err
status=$?
if [ "$status" -ne 1 ] || ! grep -q "cannot write to standard output" output.err; then
    fail "--help >/dev/full: status $status" output.err
else
    ok "--help >/dev/full: status 1"
fi

# A long headless replay shows its progress on a terminal, and nothing when
# its error output is not one.
script -qec "'$cinderwatch' --replay '$good' --headless" /dev/null >terminal.out 2>&1
status=$?
if [ "$status" -ne 0 ] || ! grep -aqE $'\rreplay: step [0-9]+ of [0-9]+ \\([0-9.]+ %\\), [0-9]+ steps/s, [0-9?]+:[0-9?]{2}:[0-9?]{2} left' terminal.out; then
    fail "on a terminal: no progress line (status $status)" terminal.out
else
    ok "on a terminal: $(grep -ao $'replay: step [^\r\033]*' terminal.out | head -n 1)"
fi
"$cinderwatch" --replay "$good" --headless >plain.out 2>plain.err
if grep -aq "replay: step" plain.out plain.err; then
    fail "not on a terminal: a progress line" plain.err
else
    ok "not on a terminal: no progress line"
fi

exit "$failures"
