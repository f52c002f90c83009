#!/bin/sh
# Regenerates data/Maps/*.png and data/maps/* from the grouping tables in maps/.
# Usage: tools/mapgen/regenerate.sh [build-dir] [preview-dir]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${1:-$root/build-tools}
preview=${2:-}

(cd "$here" && npm ci --no-audit --no-fund && node mapgen.mjs)
cmake -S "$root" -B "$build" -G Ninja -DTARVENIX_BUILD_TOOLS=ON
cmake --build "$build" --target maprender
if [ -n "$preview" ]; then
    "$build/bin/maprender" --preview "$preview" "$root/data" "$here"/out/*.json
else
    "$build/bin/maprender" "$root/data" "$here"/out/*.json
fi
