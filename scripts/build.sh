#!/usr/bin/env bash
# Configures and builds one build folder at the repository root.
# Usage: scripts/build.sh <folder> [extra cmake options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
folder=$1
shift
cmake -S "$root" -B "$root/$folder" "$@" >/dev/null
cmake --build "$root/$folder" -j"$(nproc)"
