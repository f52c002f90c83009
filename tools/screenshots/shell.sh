#!/bin/sh
# Screenshots of the main window with the login dialog, the registration dialog
# with its red marks and (once it exists) the configuration window.
# Usage: tools/screenshots/shell.sh BUILD_DIR OUT_DIR [DISPLAY_NUMBER]
set -eu
. "$(dirname "$0")/xserver.sh"
start_xserver "${1:-}" "${2:-}" "${3:-}" 15

cd "$run"
# An unused port: the login below fails quickly instead of reaching a server.
QT_QPA_PLATFORM=xcb ./tarvenix --server 127.0.0.1:9 >/dev/null 2>&1 &
app=$!
login=$(timeout 10 xdotool search --sync --onlyvisible --name 'QtTarvenixGame -- Login' | head -1)
sleep 0.5
/usr/bin/import -window root "$out/main-login.png"

# Click Register (its place scales with the dialog), then Register at once
# with a partly filled form: the labels of the missing fields turn red.
eval "$(xdotool getwindowgeometry --shell "$login")"
xdotool mousemove $((X + WIDTH * 170 / 340)) $((Y + HEIGHT * 255 / 280)) click 1
reg=$(timeout 5 xdotool search --sync --onlyvisible --name 'QtTarvenixGame -- Registration' | head -1)
xdotool windowfocus --sync "$reg" type --delay 20 'rook'
xdotool key Tab type --delay 20 'secret'
xdotool key Tab type --delay 20 'Secret'
xdotool key Return
sleep 0.5
/usr/bin/import -window "$reg" "$out/register-marks.png"
/usr/bin/import -window root "$out/register-marks-screen.png"

# The configuration window, from the Config button of the tool bar (the
# twelfth button; the window sits at the screen's corner without a window
# manager). Cancel the registration first so the main window takes the click.
xdotool key Escape
main=$(xdotool search --onlyvisible --name 'QtTarvenixGame -- Game' | head -1)
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 609)) $((Y + 26)) click 1
config=$(timeout 5 xdotool search --sync --onlyvisible --name 'QtTarvenixGame -- Configuration' | head -1) || config=
if [ -n "$config" ]; then
    sleep 0.5
    /usr/bin/import -window "$config" "$out/config.png"
fi

# With the local server built: register a new account, then ask to log out.
[ -x "$run/tarvenix-server" ] || exit 0
kill "$app"
wait "$app" 2>/dev/null || true
register_at_local_server 18815
# The Leave button, third in the tool bar, asks whether to log out.
main=$(xdotool search --onlyvisible --name 'QtTarvenixGame -- Game' | head -1)
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 126)) $((Y + 26)) click 1
sleep 1
/usr/bin/import -window root "$out/logged-in-logout.png"
