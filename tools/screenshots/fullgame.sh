#!/bin/sh
# Screenshots of a whole game on World against three robots on the local
# server, one at each phase: lobby, new game, placing, an attack with dice,
# the move panel, cards and the winner.
# Usage: tools/screenshots/fullgame.sh BUILD_DIR OUT_DIR [DISPLAY_NUMBER]
# BUILD_DIR must be configured with -DTARVENIX_BUILD_TOOLS=ON (target fullgamedemo).
set -eu
. "$(dirname "$0")/xserver.sh"
start_xserver "${1:-}" "${2:-}" "${3:-}" 19 1280x1024

cd "$run"
QT_QPA_PLATFORM=xcb ./fullgamedemo "$out"
