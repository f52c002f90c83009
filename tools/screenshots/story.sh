#!/bin/sh
# Screenshots of a game's story on the world map: a chain of conquests, the
# local player's defeat, his removal by the turn timer and the game-over
# summary, at 1280 x 720 and at a device pixel ratio of 2 (2560 x 1440).
# Usage: tools/screenshots/story.sh BUILD_DIR OUT_DIR [DISPLAY_NUMBER]
# BUILD_DIR must be configured with -DTARVENIX_BUILD_TOOLS=ON (target storydemo).
set -eu
. "$(dirname "$0")/xserver.sh"
start_xserver "${1:-}" "${2:-}" "${3:-}" 16 2560x1440

shoot() { # scene scale
    shoot_program QtTarvenixGame 1.5 $((1280 * $2))x$((720 * $2)) "$out/story-$1-x$2.png" \
        env QT_SCALE_FACTOR="$2" ./storydemo maps/1-world "$1" 20
}

cd "$run"
for scale in 1 2; do
    for scene in conquest defeat timer gameover; do
        shoot "$scene" "$scale"
    done
done
