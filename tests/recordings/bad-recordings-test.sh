#!/bin/sh
# Recordings the game must refuse, or replays that must fail, each with the
# exit status and the message expected: a clear error naming the line (or the
# step where the replay parted), never a crash.
#   bad-recordings-test.sh CINDERWATCH GOOD_RECORDING.rec MENU_RECORDING.rec
# (a real game, and one that starts a level from the menu with key 3 at step 130)
set -u
source_root=$(cd "$(dirname "$0")/../.." && pwd)
cinderwatch=$1
good=$2
menu_game=$3

run_dir=$(mktemp -d)
trap 'rm -rf "$run_dir"' EXIT
cd "$run_dir" || exit 1
failures=0

# expect NAME STATUS MESSAGE [FILE]: replays FILE (by default NAME.rec)
# headless; the status and a line of its error output must be as given.
expect()
{
    "$cinderwatch" --replay "${4:-$1.rec}" --headless >output.txt 2>errors.txt
    status=$?
    if [ "$status" -ne "$2" ] || ! grep -qF -- "$3" errors.txt; then
        echo "FAIL $1: status $status (expected $2), errors:"
        cat errors.txt
        echo "  expected a line with: $3"
        failures=$((failures + 1))
    else
        echo "ok   $1: $(head -n 1 errors.txt)"
    fi
}

printf 'zp-recording 2\nmeta level 1\nend 10\n' >version.rec
expect version 3 "version.rec: line 1: recording version 2 is not supported"

printf 'meta level 1\nend 10\n' >no-header.rec
expect no-header 3 "no-header.rec: line 1:"

printf 'zp-recording 1\nmeta level 1\nkey 5 pressed\nend 10\n' >short-line.rec
expect short-line 3 "short-line.rec: line 3:"

printf 'zp-recording 1\nmeta level 1\njump 5 high\nend 10\n' >unknown.rec
expect unknown 3 "unknown.rec: line 3: unknown record \"jump\""

printf 'zp-recording 1\nmeta level 1\nkey 5 pressed 16\nkey 4 pressed 16\nend 10\n' >past.rec
expect past 3 "past.rec: line 4:"

printf 'zp-recording 1\nmeta level 1\nmouse 5 clicked 9 1 1\nend 10\n' >button.rec
expect button 3 "button.rec: line 3: button 9 is not a mouse button"

printf 'zp-recording 1\nmeta level 1\ncheck 30 nothex\nend 40\n' >digest.rec
expect digest 3 "digest.rec: line 3:"

printf 'zp-recording 1\nmeta game cinderwatch\nend 10\n' >no-level.rec
expect no-level 3 "no-level.rec: line 1: the recording names no level"

printf 'zp-recording 1\nmeta level 7\nend 10\n' >bad-level.rec
expect bad-level 3 "bad-level.rec: line 2: level \"7\" is not a level"

printf 'zp-recording 1\nmeta level 1\nmeta difficulty nightmare\nend 10\n' >bad-difficulty.rec
expect bad-difficulty 3 "bad-difficulty.rec: line 3: difficulty \"nightmare\" is not a difficulty (casual, normal or veteran)"

# A move far off the board while carrying a turret once overflowed the
# placement's sums; the reader takes only cells of the view.
printf 'zp-recording 1\nmeta level 1\nmouse 0 clicked 0 66 2\nmouse 1 moved 0 2147483647 2147483647\nmouse 2 clicked 0 2147483647 2147483647\nend 10\n' >far-mouse.rec
expect far-mouse 3 "far-mouse.rec: line 4: mouse position 2147483647 2147483647 is outside the view"

expect missing-file 3 "missing-file.rec: cannot open"

# What is not a text file, or holds what no text holds, is refused at once:
# a FIFO would wait for a writer for ever, a device would never end, a NUL
# byte would cut the line short, a line without end would fill the memory.
# (FIFOs and devices are POSIX's: the Windows build, run under Wine, is told
# so by ZP_TARGET_WINDOWS. There "nul.rec" would name the null device, so the
# file with a NUL byte has another name.)
if [ "${ZP_TARGET_WINDOWS:-0}" != 1 ]; then
    mkfifo fifo.rec
    expect fifo 3 "fifo.rec: cannot open fifo.rec: not a regular file"
    expect dev-zero 3 "/dev/zero: cannot open /dev/zero: not a regular file" /dev/zero
fi
printf 'zp-recording 1\nmeta level 1\nkey 5\000 pressed 16\nend 10\n' >nul-byte.rec
expect nul-byte 3 "nul-byte.rec: line 3: the line holds a NUL byte; the file is refused"
{
    printf 'zp-recording 1\nmeta level 1\n# '
    head -c 1048576 /dev/zero | tr '\000' x
    printf '\nend 10\n'
} >long-line.rec
expect long-line 3 "long-line.rec: line 3: the line is longer than 1048576 bytes; the file is refused"

# The level's files missing from the data set: the game's own data, less level 2.
cp -r "$source_root/GameData" data
rm data/Levels/Level2/Level2.txt
printf 'zp-recording 1\n\nmeta level 2\nend 10\n' >missing-level.rec
"$cinderwatch" --replay missing-level.rec --headless --data data >output.txt 2>errors.txt
status=$?
if [ "$status" -ne 3 ] || ! grep -qF "missing-level.rec: line 3: level 2 is missing from the game data" errors.txt; then
    echo "FAIL missing-level: status $status"
    cat errors.txt
    failures=$((failures + 1))
else
    echo "ok   missing-level: $(head -n 1 errors.txt)"
fi

# The level's file a FIFO in the data set: looked at, not opened, so the
# replay is refused at once instead of waiting for a writer.
rm -r data
cp -r "$source_root/GameData" data
rm data/Levels/Level2/Level2.txt
mkfifo data/Levels/Level2/Level2.txt
"$cinderwatch" --replay missing-level.rec --headless --data data >output.txt 2>errors.txt
status=$?
if [ "$status" -ne 3 ] || ! grep -qF "missing-level.rec: line 3: level 2 is missing from the game data" errors.txt; then
    echo "FAIL fifo-level: status $status"
    cat errors.txt
    failures=$((failures + 1))
else
    echo "ok   fifo-level: $(head -n 1 errors.txt)"
fi

# A real game whose input is shifted: the key that starts the level from the
# menu, one step later. The replay must part from the recording and say at
# which step.
awk '$1 == "key" && $2 == 130 { $2 = 131 } { print }' "$menu_game" >shifted.rec
expect shifted 4 "shifted.rec: the replay differs from the recording at step"

# A real game with one check changed: the step of that check is named.
awk '!done && $1 == "check" && $2 >= 600 { $3 = "0000000000000000"; done = 1 } { print }' "$good" \
    >wrong-check.rec
step=$(awk '$1 == "check" && $2 >= 600 { print $2; exit }' "$good")
expect wrong-check 4 "wrong-check.rec: the replay differs from the recording at step $step"

# A real game, recorded before there were difficulties (so at normal), said
# to be played at veteran: the enemies' health parts it from its checks.
awk '$1 == "meta" && $2 == "level" { print; print "meta difficulty veteran"; next } { print }' "$good" \
    >veteran.rec
expect veteran 4 "veteran.rec: the replay differs from the recording at step"

# The state at the end changed.
awk '$1 == "end" { $3 = "0000000000000000" } { print }' "$good" >wrong-end.rec
expect wrong-end 4 "the state at the end differs from the recording's"

exit "$failures"
