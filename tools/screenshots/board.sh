#!/bin/sh
# Screenshots of the main window with each shipped map dealt among six seats,
# with dice, pies, a highlighted and a selected label and the place status.
# Usage: tools/screenshots/board.sh BUILD_DIR OUT_DIR [DISPLAY_NUMBER]
# BUILD_DIR must be configured with -DTARVENIX_BUILD_TOOLS=ON (target boarddemo).
set -eu
build=$(cd "${1:?build directory}" && pwd)
mkdir -p "${2:?output directory}"
out=$(cd "$2" && pwd)
display=${3:-14}
run="$build/run"

export XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
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
