#!/bin/sh
# Screenshots of the main window at every step of the map editor on the
# Africa picture: each wizard page with the board as it stands then, at the
# default size and at a device pixel ratio of 2 (QT_SCALE_FACTOR=2).
# Usage: tools/screenshots/editor.sh BUILD_DIR OUT_DIR [DISPLAY_NUMBER]
# BUILD_DIR must be configured with -DTARVENIX_BUILD_TOOLS=ON (target editordemo).
set -eu
. "$(dirname "$0")/xserver.sh"
start_xserver "${1:-}" "${2:-}" "${3:-}" 18 2560x2048

cd "$run"
n=0
for step in $(./editordemo --list); do
    n=$((n + 1))
    for scale in 1 2; do
        shoot_program 'QtTarvenixGame -- Game' 1 window "$out/$(printf %02d $n)-$step@${scale}x.png" \
            env QT_SCALE_FACTOR="$scale" ./editordemo "$step" 20
    done
done
