#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what clang-format makes
# of it with the project's .clang-format; prints the places.
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
    mapfile -t files < <(find engine game tests bench tools examples fuzz -name '*.cpp' -o -name '*.h' 2>/dev/null)
fi
clang-format --dry-run --Werror "${files[@]}"
echo "format: ${#files[@]} files as .clang-format wants them"
