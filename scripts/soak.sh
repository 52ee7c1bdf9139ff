#!/usr/bin/env bash
# A long game of level 1 without a window, to wave 50 (or the wave given),
# with turrets placed; prints resident memory, object counts and the log's
# health, and fails when memory keeps growing after warm-up, objects pile up,
# or the log holds a line a healthy game does not write. A Release build in
# build/ (made here if need be); the run's log lands in build/soak-run/.
#
# Usage: scripts/soak.sh [waves, default 50]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target cinderwatch_soak >/dev/null
mkdir -p "$root/build/soak-run"
cd "$root/build/soak-run"
exec "$root/build/cinderwatch_soak" "${1:-50}" "$root/GameData"
