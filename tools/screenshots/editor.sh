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
        QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$scale ./editordemo "$step" 20 >/dev/null &
        app=$!
        window=$(timeout 15 xdotool search --sync --onlyvisible --name 'QtTarvenixGame -- Game' | head -1)
        sleep 1
        /usr/bin/import -window "$window" "$out/$(printf %02d $n)-$step@${scale}x.png"
        kill "$app" 2>/dev/null || true
        wait "$app" 2>/dev/null || true
        app=
    done
done
