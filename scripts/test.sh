#!/usr/bin/env bash
# Sets up a new machine, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test. Tests that need a window
# get a private X server each. Then, when no arguments narrowed the tests,
# runs each fuzz target for ZP_FUZZ_SECONDS (default 60; 0 skips them).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=Debug -DZP_SANITIZE=ON -DZP_BUILD_BENCH=OFF

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$root/tests/support/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$root/build-asan"
ctest --output-on-failure -j"$(nproc)" "$@"

fuzz_seconds=${ZP_FUZZ_SECONDS:-60}
if [ $# -eq 0 ] && [ "$fuzz_seconds" -gt 0 ]; then
    "$root/scripts/fuzz.sh" "$fuzz_seconds"
fi
