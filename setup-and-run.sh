#!/usr/bin/env bash
# Installs what the build needs, builds Tarvenix in build/, starts the local
# game server in the background and then the client; the server stops when
# the client exits. With --demo the client watches robots play a whole game,
# and the server's robots move quickly enough for it to last about a minute or less.
set -euo pipefail
cd "$(dirname "$0")"
source .ci/packages.sh

tarvenix_install_packages
tarvenix_build
tarvenix_runtime_dir

cd build/run
server_pid=""
stop_server() {
    if [ -n "$server_pid" ]; then
        kill "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
    fi
}
trap stop_server EXIT INT TERM

# On his own server a player is a member from his first login: nobody there
# sells a membership, so no banner should ask for one.
server_args=(--all-members)
for arg in "$@"; do
    if [ "$arg" = --demo ]; then
        server_args+=(--robot-delay 50)
    fi
done

if [ -x ./tarvenix-server ]; then
    ./tarvenix-server "${server_args[@]}" &
    server_pid=$!
    # Give the server a moment to open its port before the client connects.
    sleep 1
else
    echo "No local server was built; the client will try the default server."
fi

if [ ! -x ./tarvenix ]; then
    echo "The client was not built (build/run/tarvenix is missing)." >&2
    exit 1
fi
./tarvenix "$@"
