#!/usr/bin/env bash
# Sets up a new machine, builds the game and starts it from its run folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build -DCMAKE_BUILD_TYPE=Release
cd "$root/build"
exec ./cinderwatch
