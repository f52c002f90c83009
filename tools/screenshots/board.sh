#!/bin/sh
# Screenshots of the main window with each shipped map dealt among six seats,
# with dice, pies, a highlighted and a selected label and the place status.
# Usage: tools/screenshots/board.sh BUILD_DIR OUT_DIR [DISPLAY_NUMBER]
# BUILD_DIR must be configured with -DTARVENIX_BUILD_TOOLS=ON (target boarddemo).
set -eu
. "$(dirname "$0")/xserver.sh"
start_xserver "${1:-}" "${2:-}" "${3:-}" 14

cd "$run"
for folder in maps/*/; do
    shoot_program QtTarvenixGame 1 1024x800 "$out/board-$(basename "$folder").png" \
        ./boarddemo "$folder" 20
done
