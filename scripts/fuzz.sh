#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/, and runs each for a bounded time,
# one after the other (one core). Fails when a target reports a crash, a
# leak, undefined behaviour, a hang or running out of memory; the input that
# did it is kept in build-fuzz/fuzz-artifacts/.
#
# Usage: scripts/fuzz.sh [seconds per target, default 60] [target...]
#   targets: sprite level path recording (default: every fuzz/*.seeds)
# The corpus of each target grows in build-fuzz/fuzz-corpus/<target>/ from
# run to run, starting from the files named in fuzz/<target>.seeds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
if [ $# -gt 0 ]; then
    targets=("$@")
else
    targets=()
    for seeds in "$root"/fuzz/*.seeds; do
        targets+=("$(basename "$seeds" .seeds)")
    done
fi

"$root/scripts/install-deps.sh"
build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZP_FUZZ=ON \
    -DZP_BUILD_TESTS=OFF -DZP_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j2 --target zp_fuzzers

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$root/tests/support/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

mkdir -p "$build/fuzz-artifacts"
status=0
for target in "${targets[@]}"; do
    corpus="$build/fuzz-corpus/$target"
    mkdir -p "$corpus"
    # Seeds keep their names, so a run never copies one twice.
    (cd "$root" && while read -r pattern; do
        case "$pattern" in '#'* | '') continue ;; esac
        for file in $pattern; do
            [ -f "$file" ] && cp -n "$file" "$corpus/seed-$(echo "$file" | tr '/' '_')"
        done
    done <"fuzz/$target.seeds")

    echo "fuzz: $target for ${seconds}s"
    log="$build/fuzz-$target.log"
    if "$build/fuzz_$target" "$corpus" -dict="$root/fuzz/$target.dict" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$build/fuzz-artifacts/$target-" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1)
        ft=$(grep -o 'ft: [0-9]*' "$log" | tail -n 1)
        echo "fuzz: $target ok: $runs executions, $cov, $ft, corpus $(ls "$corpus" | wc -l) files"
    else
        echo "fuzz: $target FAILED; the report (from $log):" >&2
        grep -v '^#' "$log" | tail -n 60 >&2
        status=1
    fi
done
exit $status
