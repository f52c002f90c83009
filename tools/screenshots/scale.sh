#!/bin/sh
# The lobby and the main window of the lobby demo at desktop scales 1, 1.25
# and 1.5 under each rounding policy, to compare how fractional scales look:
# OUT_DIR/<view>-<factor>-<policy>.png. The scale comes from the desktop's
# font DPI (QT_FONT_DPI stands in for Xft.dpi), as on a real desktop; a
# factor forced through QT_SCREEN_SCALE_FACTORS is never rounded.
# Usage: tools/screenshots/scale.sh BUILD_DIR OUT_DIR
# BUILD_DIR must be configured with -DTARVENIX_BUILD_TOOLS=ON (target lobbydemo).
set -eu
. "$(dirname "$0")/xserver.sh"
build=$(cd "${1:?build directory}" && pwd)
mkdir -p "${2:?output directory}"
out=$(cd "$2" && pwd)
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"
Xvfb -displayfd 3 -screen 0 1920x1440x24 -nolisten tcp 3>"$XDG_RUNTIME_DIR/display" 2>/dev/null &
xvfb=$!
app=
trap '[ -n "$app" ] && kill "$app" 2>/dev/null; kill "$xvfb"; rm -rf "$XDG_RUNTIME_DIR"' EXIT
for _ in $(seq 50); do [ -s "$XDG_RUNTIME_DIR/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$XDG_RUNTIME_DIR/display")"

cd "$build/run"
for factor in 1 1.25 1.5; do
    dpi=$(echo "$factor * 96 / 1" | bc)
    for policy in PassThrough RoundPreferFloor; do
        for view in users main; do
            case $view in
            users) title='QtTarvenixGame -- Games & Users' ;;
            main) title='QtTarvenixGame -- Game' ;;
            esac
            shoot_program "$title" 0.7 window "$out/$view-$factor-$policy.png" \
                env QT_FONT_DPI="$dpi" QT_SCALE_FACTOR_ROUNDING_POLICY="$policy" ./lobbydemo "$view"
        done
    done
done
