#!/usr/bin/env bash
# Sets up a new machine, builds the game (only the game: the tests and
# benchmarks wait for scripts/test.sh) and starts it from its run folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target cinderwatch
cd "$root/build"
exec ./cinderwatch
