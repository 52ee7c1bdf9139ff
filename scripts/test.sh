#!/usr/bin/env bash
# Sets up a new machine, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test. Tests that need a window
# get a private X server each. Then, when no arguments narrowed the tests,
# builds the game once more outside the source tree (in ZP_OUTSIDE_BUILD,
# by default a folder under the temporary folder; "0" skips it) and runs the
# tests that depend on where the build lies, and runs each fuzz target for
# ZP_FUZZ_SECONDS (default 60; 0 skips them).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=Debug -DZP_SANITIZE=ON -DZP_BUILD_BENCH=OFF

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$root/tests/support/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$root/build-asan"
ctest --output-on-failure -j"$(nproc)" "$@"

# A build folder outside the source tree, as IDEs and many scripts make them:
# the game must find the source tree's data from there. Only what those tests
# need is built, without the sanitizers, to keep CI's time.
outside=${ZP_OUTSIDE_BUILD:-${TMPDIR:-/tmp}/cinderwatch-outside-build-$(printf '%s' "$root" | cksum | cut -d ' ' -f 1)}
if [ $# -eq 0 ] && [ "$outside" != 0 ]; then
    echo "test.sh: a build outside the source tree, in $outside"
    cmake -S "$root" -B "$outside" -DCMAKE_BUILD_TYPE=Debug -DZP_BUILD_BENCH=OFF >/dev/null
    cmake --build "$outside" -j"$(nproc)" --target cinderwatch e2e_tests
    (cd "$outside" && ctest --output-on-failure -j"$(nproc)" -R '^(replay_|bad_recordings$|RunFromAnywhere)')
fi

fuzz_seconds=${ZP_FUZZ_SECONDS:-60}
if [ $# -eq 0 ] && [ "$fuzz_seconds" -gt 0 ]; then
    "$root/scripts/fuzz.sh" "$fuzz_seconds"
fi
