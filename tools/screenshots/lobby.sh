#!/bin/sh
# Screenshots of the lobby filled by a scripted server (30 users, 8 games):
# the users page, the masks page, the new-game dialog's three tabs and the
# robot dialog, and the main window's button bar in the game the user runs.
# Usage: tools/screenshots/lobby.sh BUILD_DIR OUT_DIR [DISPLAY_NUMBER]
# BUILD_DIR must be configured with -DTARVENIX_BUILD_TOOLS=ON (target lobbydemo).
set -eu
. "$(dirname "$0")/xserver.sh"
start_xserver "${1:-}" "${2:-}" "${3:-}" 17

shoot() { # view, window title, file
    shoot_program "$2" 0.7 window "$out/$3" ./lobbydemo "$1"
}

cd "$run"
shoot users 'QtTarvenixGame -- Games & Users' lobby-users.png
shoot masks 'QtTarvenixGame -- Games & Users' lobby-masks.png
shoot newgame-options 'QtTarvenixGame -- New Game' newgame-options.png
shoot newgame-timer 'QtTarvenixGame -- New Game' newgame-timer.png
shoot newgame-maps 'QtTarvenixGame -- New Game' newgame-maps.png
shoot robots 'QtTarvenixGame -- Robots' robots.png
shoot main 'QtTarvenixGame -- Game' lobby-main.png
