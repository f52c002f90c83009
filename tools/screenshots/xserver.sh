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

stop_xserver() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    [ -n "$server" ] && kill "$server" 2>/dev/null || true
    kill "$xvfb" 2>/dev/null || true
    rm -rf "$XDG_RUNTIME_DIR"
}
