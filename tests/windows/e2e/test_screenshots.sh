#!/usr/bin/env bash
# Every window of the .exe under Wine, opened from the keyboard and saved with
# its frame as a PNG in $VORNHALE_WIN_SHOTS, to be looked at: each caption
# whole, each control in its place, in the face Windows users get.
. "$(dirname "$0")/lib.sh"

shots="${VORNHALE_WIN_SHOTS:?folder for the screenshots}"
e2e_start

# Waits for the window, saves it as NAME.png, and prints its id.
shoot() {
    local id
    id="$(wait_window "$1")"
    screenshot "$id" "$shots/$2.png"
    echo "$id"
}

shoot "Vornhale Launcher" main >/dev/null
press "$MAIN_WINDOW" alt+c
config="$(shoot "Configuration" configuration)"

press "$config" alt+v
press "$(shoot "Video Mode" video)" Escape
wait_window_gone "Video Mode"

press "$config" alt+a
audio="$(shoot "Audio Configuration" audio)"
press "$audio" alt+h
press "$(shoot "File Viewer" file-viewer)" Escape
wait_window_gone "File Viewer"
mv "$GAME/SETUPHLP.TXT" "$E2E_TMP/"
press "$audio" alt+h
# The main window is hidden: the only window with the application title is the box.
press "$(shoot "Vornhale Launcher" error-box)" Return
wait_window_gone "Vornhale Launcher"
mv "$E2E_TMP/SETUPHLP.TXT" "$GAME/"
press "$audio" Escape
wait_window_gone "Audio Configuration"

press "$config" alt+c
misc="$(shoot "Misc. Configuration" misc)"
click_at "$misc" 332 180
press "$(shoot "Select Modem" select-modem)" Escape
wait_window_gone "Select Modem"
press "$misc" Escape
wait_window_gone "Misc. Configuration"

press "$config" alt+k
keyboard="$(shoot "Keyboard Configuration" keyboard)"
# The first row sits just below the column headers.
xdotool mousemove --window "$keyboard" 60 60 sleep 0.2 click --repeat 2 --delay 120 1
picker="$(shoot "Pick Key" pick-key)"
# Wine draws the picker's frame itself (a tool window), and the window
# manager does not hand it the keyboard: click "Cancel" (x 86, y 310, 72 by 25
# in the client area below Wine's frame).
read -r width height <<<"$(xwininfo -id "$picker" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')"
border=$(((width - 164) / 2))
click_at "$picker" $((border + 122)) $((height - border - 341 + 322))
wait_window_gone "Pick Key"
keyboard="$(wait_window "Keyboard Configuration")"
press "$keyboard" Escape
wait_window_gone "Keyboard Configuration"

press "$config" alt+m
press "$(shoot "Mouse Configuration" mouse)" Escape
wait_window_gone "Mouse Configuration"
press "$config" alt+j
press "$(shoot "Joystick Configuration" joystick)" Escape
wait_window_gone "Joystick Configuration"
press "$config" alt+F4
wait_window_gone "Configuration"

MAIN_WINDOW="$(wait_window "Vornhale Launcher")"
press "$MAIN_WINDOW" alt+m
sleep 0.5
shoot "Vornhale Launcher" main-multiplayer >/dev/null
click_at "$MAIN_WINDOW" 183 162
press "$(shoot "IPX Network Game" ipx)" alt+a
wait_window_gone "IPX Network Game"
press "$MAIN_WINDOW" alt+m
sleep 0.3
click_at "$MAIN_WINDOW" 183 203
press "$(shoot "Modem Game" modem)" alt+a
wait_window_gone "Modem Game"

press "$MAIN_WINDOW" alt+x
rc="$(wait_exit)"
[ "$rc" = 0 ] || fail "exit code $rc"
echo "passed"
