#!/usr/bin/env bash
# The engine as another game uses it: installs the engine from the build
# folder into a staging prefix, builds a copy of examples/stars (outside the
# source tree) with find_package(zp) against that prefix only, and lets the
# example play itself for a while under a private X display.
# Usage: example-on-installed-engine.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
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

cp -r "$root/examples/stars" "$work/stars"
cmake -S "$work/stars" -B "$work/build" -DCMAKE_PREFIX_PATH="$work/prefix" \
    -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >"$work/configure.log" || { cat "$work/configure.log"; fail "configure"; }
# The headers must come from the installed package, never from the source tree.
grep -q "$work/prefix/include" "$work/build/compile_commands.json" || fail "installed headers not used"
! grep -q "$root/engine" "$work/build/compile_commands.json" || fail "the source tree's engine was used"
cmake --build "$work/build" -j2 >"$work/build.log" || { cat "$work/build.log"; fail "build"; }
# SFML comes through its own imported targets, found by the package's config
# (a bare -lsfml-graphics would link here by luck and fail elsewhere).
grep -q "libsfml-graphics\.so" "$work/build/CMakeFiles/stars.dir/link.txt" ||
    fail "SFML linked by name, not through its imported targets: $(cat "$work/build/CMakeFiles/stars.dir/link.txt")"

# The sanitizer runtime would report the GL driver's blocks, unloaded with the window.
output=$(cd "$work" && ASAN_OPTIONS=detect_leaks=0 ALSOFT_DRIVERS=null \
    "$root/scripts/with-display.sh" "$work/build/stars" --autoplay 300 2>"$work/stderr.txt") ||
    { cat "$work/stderr.txt"; fail "stars exited with an error"; }
echo "$output"
caught=$(sed -n 's/^stars caught: \([0-9]*\)$/\1/p' <<<"$output")
[ -n "$caught" ] && [ "$caught" -ge 2 ] || fail "the example caught too few stars: '$output'"
echo "example built against the installed engine and played: $caught stars"
