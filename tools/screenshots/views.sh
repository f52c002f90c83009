#!/bin/sh
# Screenshots of the configuration window (both tabs) and of a game output view
# under a private X server, taken with viewsdemo.
# Usage: tools/screenshots/views.sh BUILD_DIR OUT_DIR [DISPLAY_NUMBER]
# BUILD_DIR must be configured with -DTARVENIX_BUILD_TOOLS=ON.
set -eu
. "$(dirname "$0")/xserver.sh"
start_xserver "${1:-}" "${2:-}" "${3:-}" 16 1024x768
program="$build/bin/viewsdemo"

# The pictures (window icons) are looked up relative to the run directory.
cd "$build/run" 2>/dev/null || cd "$build"
shot() {
    QT_QPA_PLATFORM=xcb "$program" "$1" >/dev/null 2>&1 &
    app=$!
    window=$(timeout 10 xdotool search --sync --onlyvisible --name "$2" | head -1)
    sleep 0.5
    /usr/bin/import -window "$window" "$out/$3"
    kill "$app"
    wait "$app" 2>/dev/null || true
    app=
}
shot config 'QtTarvenixGame -- Configuration' config-colors.png
shot fonts 'QtTarvenixGame -- Configuration' config-fonts.png
shot chat '^Output$' output.png
