#!/bin/sh
# Screenshots of the configuration window (both tabs) and of a game output view
# under a private X server, taken with viewsdemo.
# Usage: tools/screenshots/views.sh BUILD_DIR OUT_DIR [DISPLAY_NUMBER]
# BUILD_DIR must be configured with -DTARVENIX_BUILD_TOOLS=ON.
set -eu
build=$(cd "${1:?build directory}" && pwd)
mkdir -p "${2:?output directory}"
out=$(cd "$2" && pwd)
display=${3:-16}
program="$build/bin/viewsdemo"

export XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
app=
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT
export DISPLAY=":$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

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
