#!/bin/sh
# Start-up time of tarvenix to a shown login dialog, and its resident memory at
# that moment: the median of RUNS starts, offscreen and, when Xvfb is there,
# on an X display. With the bare dialog's program (bench_baredialog) the same
# is measured for a bare three-widget Qt dialog, starts of the two taking
# turns, and the ratios are printed: the machine's load moves both alike.
# Usage: bench/core/startup.sh RUN_DIR [RUNS] [DISPLAY_NUMBER] [BARE_DIALOG]
# The program started is RUN_DIR's ./tarvenix, or $TARVENIX_PROGRAM (an
# installed /usr/games/tarvenix, say) started in RUN_DIR.
set -eu
run=$(cd "${1:?run directory (build/run)}" && pwd)
program=${TARVENIX_PROGRAM:-./tarvenix}
runs=${2:-7}
display=${3:-15}
bare=${4:-}
[ -z "$bare" ] && [ -x "$run/../bin/bench_baredialog" ] && bare="$run/../bin/bench_baredialog"
[ -n "$bare" ] && bare=$(cd "$(dirname "$bare")" && pwd)/$(basename "$bare")

export XDG_RUNTIME_DIR=$(mktemp -d)
chmod 700 "$XDG_RUNTIME_DIR"
xvfb=
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# One start of a program that prints login-shown-ms and vmrss: "ms kB".
start_once() {
    start=$(date +%s%3N)
    out=$(cd "$run" && TARVENIX_STARTUP_PROBE=1 QT_QPA_PLATFORM=$1 "$2" $3 2>/dev/null)
    shown=$(echo "$out" | awk '/^login-shown-ms/ { print $2 }')
    echo "$((shown - start)) $(echo "$out" | awk '/^vmrss/ { print $2 }')"
}

measure() {
    platform=$1
    t_times= t_rss= b_times= b_rss=
    i=0
    while [ "$i" -lt "$runs" ]; do
        set -- $(start_once "$platform" "$program" "--server 127.0.0.1:9")
        t_times="$t_times $1" t_rss="$t_rss $2"
        if [ -n "$bare" ]; then
            set -- $(start_once "$platform" "$bare" "")
            b_times="$b_times $1" b_rss="$b_rss $2"
        fi
        i=$((i + 1))
    done
    tt=$(echo $t_times | tr ' ' '\n' | median)
    tr_=$(echo $t_rss | tr ' ' '\n' | median)
    echo "$platform: tarvenix start-up to login dialog $tt ms, VmRSS $tr_ kB (median of $runs)"
    [ -z "$bare" ] && return
    bt=$(echo $b_times | tr ' ' '\n' | median)
    br=$(echo $b_rss | tr ' ' '\n' | median)
    echo "$platform: bare dialog $bt ms, VmRSS $br kB;" \
        "ratios: time $(awk "BEGIN { printf \"%.2f\", $tt / $bt }")," \
        "memory $(awk "BEGIN { printf \"%.2f\", $tr_ / $br }")"
}

echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
measure offscreen
if command -v Xvfb >/dev/null 2>&1; then
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    export DISPLAY=":$display"
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    measure xcb
fi
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
