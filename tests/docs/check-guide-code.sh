#!/usr/bin/env bash
# The docs' code is the source tree's: every fenced block of a page that
# follows a line "<!-- from PATH -->" must stand, line for line, in that file
# of the source tree (the examples, which CI builds and plays with
# tests/package/example-on-installed-engine.sh, or a fixture that a test
# loads). A block changed on either side fails here. Also fails when a page
# has no such block at all.
# Usage: check-guide-code.sh PAGE.md...
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
failures=0
for page in "$@"; do
    blocks=0
    work=$(mktemp -d)
    # Splits the page's marked blocks into files: NUMBER.path holds the source
    # file's name, NUMBER.code the block.
    awk -v out="$work" '
        /^<!-- from [^ ]+ -->$/ { source = $3; next }
        /^```/ {
            if (inside) { inside = 0; close(code); next }
            if (source != "") {
                inside = 1; n++
                code = out "/" n ".code"
                printf "" > code
                print source > (out "/" n ".path"); close(out "/" n ".path")
                source = ""
            }
            next
        }
        inside { print >> code }
    ' "$page"
    for path_file in "$work"/*.path; do
        [ -e "$path_file" ] || continue
        blocks=$((blocks + 1))
        source=$(cat "$path_file")
        code="${path_file%.path}.code"
        if [ ! -f "$root/$source" ]; then
            echo "FAIL $page: a block from $source, which does not exist"
            failures=$((failures + 1))
            continue
        fi
        # The block must be a run of whole consecutive lines of the file.
        if ! awk -v block="$code" '
            BEGIN { while ((getline line < block) > 0) want[++n] = line }
            { have[++m] = $0 }
            END {
                for (i = 1; i + n - 1 <= m; i++) {
                    for (j = 1; j <= n && have[i + j - 1] == want[j]; j++) {}
                    if (j > n) exit 0
                }
                exit 1
            }' "$root/$source"; then
            echo "FAIL $page: this block is not in $source as it stands:"
            sed 's/^/    /' "$code"
            failures=$((failures + 1))
        fi
    done
    rm -rf "$work"
    [ "$blocks" -gt 0 ] || { echo "FAIL $page: no block marked with its source file"; failures=$((failures + 1)); }
    echo "$page: $blocks blocks from the examples checked"
done
[ "$failures" -eq 0 ]
