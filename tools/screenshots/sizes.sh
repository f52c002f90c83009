#!/bin/sh
# Screenshots of the main window with a game in progress, the lobby, the
# registration and the new-game dialog at common screen sizes and scale
# factors, each window stretched to the whole screen it would be maximised on
# (dialogs keep their own size). A size that does not fit shows as clipped.
# Usage: tools/screenshots/sizes.sh BUILD_DIR OUT_DIR
# BUILD_DIR must be configured with -DTARVENIX_BUILD_TOOLS=ON (gamedemo,
# lobbydemo).
set -eu
build=$(cd "${1:?build directory}" && pwd)
mkdir -p "${2:?output directory}"
out=$(cd "$2" && pwd)
app=
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"

# screen WIDTHxHEIGHT: a private X server of that size on a free display, in
# place of the previous one, so that windows size themselves to that screen.
xvfb=
screen() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true
    rm -f "$XDG_RUNTIME_DIR/display"
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp 3>"$XDG_RUNTIME_DIR/display" \
        >/dev/null 2>&1 &
    xvfb=$!
    for _ in $(seq 50); do [ -s "$XDG_RUNTIME_DIR/display" ] && break; sleep 0.1; done
    DISPLAY=":$(cat "$XDG_RUNTIME_DIR/display")"
    export DISPLAY
}
stop() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$XDG_RUNTIME_DIR"
}
trap stop EXIT

# shoot FILE SCREEN SCALE TITLE STRETCH COMMAND...: runs the program at the
# scale factor, stretches its window to the screen (device pixels) if asked
# and takes the window.
shoot() {
    file=$1 size=$2 scale=$3 title=$4 stretch=$5
    shift 5
    QT_SCALE_FACTOR=$scale QT_QPA_PLATFORM=xcb "$@" >/dev/null 2>&1 &
    app=$!
    window=$(timeout 15 xdotool search --sync --onlyvisible --name "$title" | head -1)
    if [ "$stretch" = yes ]; then
        xdotool windowsize "$window" "${size%x*}" "${size#*x}"
    fi
    sleep 1.5
    /usr/bin/import -window "$window" "$out/$file"
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    app=
}

cd "$build/run"
for shot in 1280x720:1 1366x768:1.5 1600x1000:1 1600x1000:1.5 1600x1000:2 2560x1440:1 \
    2560x1440:1.5 2560x1440:2; do
    size=${shot%:*} scale=${shot#*:}
    tag=$size-x$scale
    screen "$size"
    shoot "game-$tag.png" "$size" "$scale" 'QtTarvenixGame -- Game' yes \
        ./gamedemo maps/1-world attack 30
    shoot "lobby-$tag.png" "$size" "$scale" 'QtTarvenixGame -- Games & Users' no \
        ./lobbydemo users
    shoot "newgame-$tag.png" "$size" "$scale" 'QtTarvenixGame -- New Game' no \
        ./lobbydemo newgame-options
done

# The registration form sent with mismatched passwords and missing fields.
for shot in 1280x720:1 1366x768:1.5 2560x1440:2; do
    size=${shot%:*} scale=${shot#*:}
    screen "$size"
    QT_SCALE_FACTOR=$scale QT_QPA_PLATFORM=xcb ./tarvenix --server 127.0.0.1:9 >/dev/null 2>&1 &
    app=$!
    login=$(timeout 10 xdotool search --sync --onlyvisible --name 'QtTarvenixGame -- Login' | head -1)
    xdotool windowfocus --sync "$login" key alt+r
    reg=$(timeout 5 xdotool search --sync --onlyvisible --name 'QtTarvenixGame -- Registration' | head -1)
    xdotool windowfocus --sync "$reg" type --delay 20 'rook'
    xdotool key Tab type --delay 20 'secret'
    xdotool key Tab type --delay 20 'Secret'
    xdotool key Return
    sleep 0.7
    /usr/bin/import -window "$reg" "$out/register-$size-x$scale.png"
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    app=
done
