#!/usr/bin/env bash
# What a screen reader hears: every setup, picker and network window opened
# from the keyboard (and the mouse where a user needs it) in the real
# launcher, each read through AT-SPI as Orca reads it, with a session bus and
# an accessibility bus of its own. Every focusable control must be named for
# what it is, not by its value, and every titled frame must be a named group.
# Needs dbus, at-spi2-core and python3-pyatspi (scripts/install-deps.sh).
if [ -z "${E2E_SESSION_BUS:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "FAIL: dbus-run-session is missing" >&2; exit 1; }
    E2E_SESSION_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
. "${E2E_LIB:-$(dirname "$0")/lib.sh}"

reader="$(dirname "$0")/screen_reader.py"
bus_launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$bus_launcher" ] || fail "$bus_launcher is missing (at-spi2-core)"
# The system's Python, which has pyatspi, whatever python3 comes first on PATH.
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || fail "python3-pyatspi is missing"

e2e_start_x
# A DOS network driver, as the game has: an IPX start asks "Host or Join",
# waiting for a modem's call shows "Wait For Call".
printf '@echo off\r\n' >"$GAME/ENGINE/NET.BAT"
chmod a-x "$GAME/ENGINE/NET.BAT"
"$bus_launcher" --launch-immediately >"$E2E_TMP/at-spi.log" 2>&1 &
E2E_PIDS+=($!)
# Qt offers its tree only when a screen reader says it runs, unless told.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_main_menu

# Reads the window with this caption, waiting for it, and checks it; prints
# its id. Call it only as an assignment, so a failure ends the test.
hear() {
    local window
    window="$(wait_window "$1")"
    /usr/bin/python3 "$reader" "$LAUNCHER_PID" "$1" || fail "what a screen reader hears differs (above)"
    echo "$window"
}

close() {
    press "$1" alt+F4
    wait_window_gone "$2"
}

press "$MAIN_WINDOW" alt+c
config="$(wait_window "Configuration")"

press "$config" alt+v
video="$(hear "Video Mode")"
close "$video" "Video Mode"

press "$config" alt+a
audio="$(hear "Audio Configuration")"
press "$audio" alt+h
viewer="$(hear "File Viewer")"
press "$viewer" Escape
wait_window_gone "File Viewer"
close "$audio" "Audio Configuration"

press "$config" alt+c
misc="$(hear "Misc. Configuration")"
# "Click here to Auto-detect your Modem" has no accelerator.
click_at "$misc" 330 180
modems="$(hear "Select Modem")"
press "$modems" Escape
wait_window_gone "Select Modem"
close "$misc" "Misc. Configuration"

press "$config" alt+k
keyboard="$(hear "Keyboard Configuration")"
# The picker opens only on a double-click; its first row is "Move Forward".
xdotool mousemove --window "$keyboard" 60 60 sleep 0.2 click --repeat 2 --delay 120 1
picker="$(hear "Pick Key")"
click_at "$picker" 122 322
wait_window_gone "Pick Key"
keyboard="$(wait_window "Keyboard Configuration")"
close "$keyboard" "Keyboard Configuration"

press "$config" alt+m
mouse="$(hear "Mouse Configuration")"
close "$mouse" "Mouse Configuration"
press "$config" alt+j
joystick="$(hear "Joystick Configuration")"
close "$joystick" "Joystick Configuration"
close "$config" "Configuration"

MAIN_WINDOW="$(wait_window "Vornhale Launcher")"
open_ipx_dialog >/dev/null
ipx="$(hear "IPX Network Game")"
press "$ipx" alt+s
hostjoin="$(hear "Host or Join")"
press "$hostjoin" Escape
wait_window_gone "Host or Join"
press "$ipx" alt+a
wait_window_gone "IPX Network Game"

open_modem_dialog >/dev/null
modem="$(hear "Modem Game")"
press "$modem" alt+w
waiting="$(hear "Wait For Call")"
press "$waiting" Escape
wait_window_gone "Wait For Call"
close "$modem" "Modem Game"

press "$MAIN_WINDOW" alt+x
rc="$(wait_exit)"
[ "$rc" = 0 ] || fail "exit code $rc"
echo "passed"
