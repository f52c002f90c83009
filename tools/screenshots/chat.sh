#!/bin/sh
# Screenshots of the chat window filled through the shipped scripts (20
# users, 200 lines, friends, enemies, an ignored user, two whisper tabs with
# one lit): the global, game and whisper tabs at the default size, and the
# global tab at a device pixel ratio of 2.
# Usage: tools/screenshots/chat.sh BUILD_DIR OUT_DIR [DISPLAY_NUMBER]
# BUILD_DIR must be configured with -DTARVENIX_BUILD_TOOLS=ON (target chatdemo).
set -eu
. "$(dirname "$0")/xserver.sh"
start_xserver "${1:-}" "${2:-}" "${3:-}" 18

shoot() { # view, file, [scale factor]
    shoot_program 'QtTarvenixGame -- Chat' 0.7 window "$out/$2" \
        env QT_SCALE_FACTOR="${3:-1}" ./chatdemo "$1"
}

cd "$run"
shoot global chat-global.png
shoot game chat-game.png
shoot whisper chat-whisper.png
shoot global chat-global-2x.png 2

# With the local server: register, open the chat window from the Chat button
# (the first in the tool bar), and say a line and /me in the global channel.
# The server sends each line back to its sender: it must show once.
[ -x "$run/tarvenix-server" ] || exit 0
register_at_local_server 18818
main=$(xdotool search --onlyvisible --name 'QtTarvenixGame -- Game' | head -1)
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 26)) $((Y + 26)) click 1
chat=$(timeout 5 xdotool search --sync --onlyvisible --name 'QtTarvenixGame -- Chat' | head -1)
# Click into the input line at the window's bottom left.
eval "$(xdotool getwindowgeometry --shell "$chat")"
xdotool mousemove $((X + 100)) $((Y + HEIGHT - 23)) click 1
sleep 0.3
xdotool type --delay 10 'hello, is anyone here?'
xdotool key Return
xdotool type --delay 10 '/me looks around'
xdotool key Return
xdotool type --delay 10 '/dance'
xdotool key Return
sleep 1
/usr/bin/import -window "$chat" "$out/chat-live.png"
