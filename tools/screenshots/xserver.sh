# Sourced by the screenshot scripts: parses "BUILD_DIR OUT_DIR [DISPLAY_NUMBER]"
# into $build, $out and $run, starts a private X server of the given screen
# size, and stops it, $app and $server when the script exits.
# Usage: . xserver.sh; start_xserver "$@" DEFAULT_DISPLAY [WIDTHxHEIGHT]
start_xserver() {
    build=$(cd "${1:?build directory}" && pwd)
    mkdir -p "${2:?output directory}"
    out=$(cd "$2" && pwd)
    display=${3:-$4}
    run="$build/run"
    app=
    server=
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    chmod 700 "$XDG_RUNTIME_DIR"
    Xvfb ":$display" -screen 0 "${5:-1280x1024}x24" -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    trap stop_xserver EXIT
    export DISPLAY=":$display"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}

# Starts the local server on the port and the client in the run directory,
# and registers the account Rook through the registration dialog; $server
# and $app are the two processes. Needs the server built.
# Usage: register_at_local_server PORT
register_at_local_server() {
    "$run/tarvenix-server" --port "$1" --db "$XDG_RUNTIME_DIR/server.db" --fast-hashing \
        --data "$run" >/dev/null 2>&1 &
    server=$!
    sleep 1
    QT_QPA_PLATFORM=xcb ./tarvenix --server "127.0.0.1:$1" >/dev/null 2>&1 &
    app=$!
    login=$(timeout 10 xdotool search --sync --onlyvisible --name 'QtTarvenixGame -- Login' | head -1)
    eval "$(xdotool getwindowgeometry --shell "$login")"
    xdotool mousemove $((X + WIDTH * 170 / 340)) $((Y + HEIGHT * 255 / 280)) click 1
    reg=$(timeout 5 xdotool search --sync --onlyvisible --name 'QtTarvenixGame -- Registration' | head -1)
    xdotool windowfocus --sync "$reg"
    for value in Rook secret secret Ann Lee 'Main Street 1' 12345 Town State Land ann@example.org; do
        xdotool type --delay 10 "$value"
        xdotool key Tab
    done
    xdotool key Return
    sleep 2
}

# Runs COMMAND on the X server until a window whose title matches TITLE is
# on the screen, gives it PAUSE seconds to settle, saves a picture as FILE
# and ends the program: the window alone, or with a size WIDTHxHEIGHT as
# AREA that much of the screen from its top left corner, where the main
# window opens (there is no window manager). Fails when no window comes.
# Usage: shoot_program TITLE PAUSE window|WIDTHxHEIGHT FILE COMMAND [ARG...]
shoot_program() {
    title=$1
    pause=$2
    area=$3
    file=$4
    shift 4
    QT_QPA_PLATFORM=xcb "$@" >/dev/null 2>&1 &
    app=$!
    window=$(timeout 15 xdotool search --sync --onlyvisible --name "$title")
    window=$(echo "$window" | head -1)
    sleep "$pause"
    if [ "$area" = window ]; then
        /usr/bin/import -window "$window" "$file"
    else
        /usr/bin/import -window root -crop "$area+0+0" "$file"
    fi
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    app=
}

stop_xserver() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    [ -n "$server" ] && kill "$server" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$XDG_RUNTIME_DIR"
}
