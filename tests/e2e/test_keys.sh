#!/usr/bin/env bash
# Keys in the real launcher behave as on Windows: Return presses the focused
# push button in every window, but no button from a field or a list; Escape
# does not leave the configuration menu; and Tab enters a radio group at its
# checked item, so Space there changes nothing. Passing through every dialog
# this way leaves the settings file exactly as the last save wrote it.
. "${E2E_LIB:-$(dirname "$0")/lib.sh}"

e2e_start_x
cfg="$GAME/ENGINE/VORNHL.CFG"
# Every radio group away from its first item, where a wrong landing shows.
sed -i 's/^JoystickPort = 0\r$/JoystickPort = 1\r/' "$cfg"
grep -q $'^JoystickPort = 1\r$' "$cfg" || fail "could not prepare the settings file"
grep -q $'^ScreenWidth = 640\r$' "$cfg" && grep -q $'^ControllerType = 1\r$' "$cfg" ||
    fail "the demo's resolution or control method moved"
e2e_start_launcher
main="$(wait_window "Vornhale Launcher")"

still_open() {
    sleep 0.7
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || fail "$1 closed on: $2"
}

# "&Configure" is third in the main menu's focus order. The first save brings
# the file to the launcher's form, so later saves can be compared with it.
press "$main" Tab Tab Return
menu="$(wait_window "Configuration")"
press "$menu" alt+r
wait_window_gone "Configuration"
main="$(wait_window "Vornhale Launcher")"
cp "$cfg" "$E2E_TMP/saved.cfg"

press "$main" alt+c
menu="$(wait_window "Configuration")"
press "$menu" Escape
still_open "Configuration" Escape

# Each dialog: keys that must leave it open, then keys that press its "Ok".
while IFS='|' read -r accelerator caption stay leave; do
    press "$menu" "$accelerator"
    dialog="$(wait_window "$caption")"
    if [ -n "$stay" ]; then
        # shellcheck disable=SC2086
        press "$dialog" $stay
        still_open "$caption" "$stay"
    fi
    # shellcheck disable=SC2086
    press "$dialog" $leave
    wait_window_gone "$caption"
done <<'TABLE'
alt+v|Video Mode|space|Tab Return
alt+a|Audio Configuration|Return|shift+Tab shift+Tab Return
alt+c|Misc. Configuration|space Tab Tab Tab Return|Tab Tab Return
alt+m|Mouse Configuration||Tab Tab Tab Tab Tab Tab Tab Return
alt+j|Joystick Configuration|Tab Tab Tab Tab Tab Tab Tab Tab space|Tab Return
alt+k|Keyboard Configuration|Return|Tab Return
TABLE

press "$menu" alt+r
wait_window_gone "Configuration"
main="$(wait_window "Vornhale Launcher")"
if ! cmp -s "$cfg" "$E2E_TMP/saved.cfg"; then
    diff "$E2E_TMP/saved.cfg" "$cfg" >&2 || true
    fail "passing through the dialogs changed the settings file"
fi

# Multiplayer mode; the focus is still on the third button, so the one above
# it opens the modem game. Return in the phone number starts nothing.
press "$main" alt+m shift+Tab Return
modem="$(wait_window "Modem Game")"
press "$modem" Tab 5 5 5 0 1 3 4 Return
still_open "Modem Game" "Return in the phone number"
[ ! -e "$GAME/ENGINE/COMMIT.DAT" ] || fail "Return in the phone number wrote the launch file"
[ ! -e "$GAME/ENGINE/LASTRUN.TXT" ] || fail "Return in the phone number started the network driver"
press "$modem" Escape
wait_window_gone "Modem Game"

press "$main" alt+x
rc="$(wait_exit)"
[ "$rc" = 0 ] || fail "exit code $rc"
echo "passed"
