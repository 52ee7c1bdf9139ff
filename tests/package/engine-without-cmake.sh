#!/usr/bin/env bash
# The engine built into a game without CMake: installs the engine into a
# staging prefix, then builds the guide's first game (examples/first-game)
# with each build line the README gives for builds without CMake (taken
# from the README itself, with P for the prefix), and plays each result.
# Usage: engine-without-cmake.sh <build folder>
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
P="$work/prefix"
[ -f "$P/lib/pkgconfig/zp.pc" ] || fail "no zp.pc installed: $(find "$P" -name '*.pc')"
export PKG_CONFIG_PATH="$P/lib/pkgconfig"
pkg-config --exists --print-errors zp || fail "pkg-config does not take zp.pc"
[ "$(pkg-config --variable=includedir zp)" -ef "$P/include" ] || fail "zp.pc names another include folder"

mapfile -t lines < <(sed -n 's/^    \(c++ -std=c++17 .*\)$/\1/p' "$root/README.md")
[ ${#lines[@]} -ge 2 ] || fail "the README gives ${#lines[@]} build lines without CMake, not 2"
# A sanitizer build's library needs the sanitizer runtime in the program too
# (zp.pc says so itself; the line without pkg-config is for a plain build).
extra=""
grep -q '^ZP_SANITIZE:BOOL=ON' "$build/CMakeCache.txt" && extra="-fsanitize=address,undefined"

cp -r "$root/examples/first-game" "$work/game"
cp "$work/game/rock.txt" "$work/rock.txt"
export ASAN_OPTIONS=detect_leaks=0 ALSOFT_DRIVERS=null
n=0
for line in "${lines[@]}"; do
    n=$((n + 1))
    line=${line% -o mygame}
    echo "build line $n: $line"
    (cd "$work/game" && P="$P" eval "$line $extra -o $work/mygame$n") >"$work/build$n.log" 2>&1 ||
        { cat "$work/build$n.log"; fail "build line $n did not build the first game"; }
    ! grep -q "$root/engine" "$work/build$n.log" || fail "build line $n used the source tree"
    output=$(cd "$work" && "$root/scripts/with-display.sh" "$work/mygame$n" --seed 3 --steps 90) ||
        fail "the game of build line $n exited with an error"
    [[ "$output" =~ ^dodged:\ [0-9]+$ ]] || fail "the game of build line $n said '$output'"
done
echo "the first game built with each of the README's ${#lines[@]} lines without CMake, and played"
