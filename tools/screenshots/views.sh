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
shot() { # view, window title, file
    shoot_program "$2" 0.5 window "$out/$3" "$program" "$1"
}
shot config 'QtTarvenixGame -- Configuration' config-colors.png
shot fonts 'QtTarvenixGame -- Configuration' config-fonts.png
shot chat '^Output$' output.png
