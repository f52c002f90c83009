#!/bin/sh
# Start-up time of tarvenix to a shown login dialog, and its resident memory at
# that moment: the median of RUNS starts, offscreen and, when Xvfb is there,
# on an X display.
# Usage: bench/core/startup.sh RUN_DIR [RUNS] [DISPLAY_NUMBER]
set -eu
run=$(cd "${1:?run directory (build/run)}" && pwd)
runs=${2:-7}
display=${3:-15}

export XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
xvfb=
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

measure() {
    platform=$1
    times=
    rss=
    i=0
    while [ "$i" -lt "$runs" ]; do
        start=$(date +%s%3N)
        out=$(cd "$run" && TARVENIX_STARTUP_PROBE=1 QT_QPA_PLATFORM=$platform \
            ./tarvenix --server 127.0.0.1:9 2>/dev/null)
        shown=$(echo "$out" | awk '/^login-shown-ms/ { print $2 }')
        times="$times $((shown - start))"
        rss="$rss $(echo "$out" | awk '/^vmrss/ { print $2 }')"
        i=$((i + 1))
    done
    echo "$platform: start-up to login dialog $(echo $times | tr ' ' '\n' | median) ms," \
        "VmRSS $(echo $rss | tr ' ' '\n' | median) kB (median of $runs)"
}

measure offscreen
if command -v Xvfb >/dev/null 2>&1; then
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    export DISPLAY=":$display"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    measure xcb
fi
