#!/bin/sh
# Screenshots of a game in progress: every scene of the local player's turn on
# the world map, and the card hand on each other shipped map, at the default
# scale and at a device pixel ratio of 2.
# Usage: tools/screenshots/game.sh BUILD_DIR OUT_DIR [DISPLAY_NUMBER]
# BUILD_DIR must be configured with -DTARVENIX_BUILD_TOOLS=ON (target gamedemo).
set -eu
. "$(dirname "$0")/xserver.sh"
start_xserver "${1:-}" "${2:-}" "${3:-}" 15 2560x2048

shoot() { # folder scene scale
    shoot_program QtTarvenixGame 1.5 $((1024 * $3))x$((800 * $3)) \
        "$out/game-$(basename "$1")-$2-x$3.png" env QT_SCALE_FACTOR="$3" ./gamedemo "$1" "$2" 20
}

cd "$run"
for scale in 1 2; do
    for scene in place decide attack cards3 cards7 take move watch; do
        shoot maps/1-world "$scene" "$scale"
    done
    for folder in maps/*/; do
        case "$folder" in *1-world*) continue ;; esac
        shoot "${folder%/}" cards7 "$scale"
    done
done
