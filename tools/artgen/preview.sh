#!/bin/sh
# Takes a screenshot of artgen-preview under a private X server.
# Usage: preview.sh <artgen-preview> <folder with the pictures> <shot.png> [display]
set -eu
program=$(realpath "$1")
pictures=$2
shot=$(realpath -m "$3")
display=${4:-:18}

export XDG_RUNTIME_DIR=$(mktemp -d)
Xvfb "$display" -screen 0 1024x800x24 -nolisten tcp &
xvfb=$!
program_pid=
trap '[ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null || true; kill "$xvfb"; rm -rf "$XDG_RUNTIME_DIR"' EXIT
sleep 1
cd "$pictures"
DISPLAY=$display QT_QPA_PLATFORM=xcb "$program" &
program_pid=$!
sleep 3
DISPLAY=$display /usr/bin/import -window root "$shot"
