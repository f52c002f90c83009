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
    name=$(basename "$folder")
    QT_QPA_PLATFORM=xcb ./boarddemo "$folder" 20 >/dev/null 2>&1 &
    app=$!
    timeout 15 xdotool search --sync --onlyvisible --name 'QtTarvenixGame' >/dev/null
    sleep 1
    /usr/bin/import -window root -crop 1024x800+0+0 "$out/board-$name.png"
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    app=
done
