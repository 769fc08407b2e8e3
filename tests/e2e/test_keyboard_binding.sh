#!/usr/bin/env bash
# Binding a key in the real launcher: the picker opens on a double-click with
# the row's key highlighted, the Down arrow picks the next key and closes it,
# and returning to the main menu writes the new key with an empty second field.
. "${E2E_LIB:-$(dirname "$0")/lib.sh}"

e2e_start_x
cfg="$GAME/ENGINE/VORNHL.CFG"
sed -i 's/^Move_Forward = .*$/Move_Forward = "Up" ""\r/' "$cfg"
grep -q $'^Move_Forward = "Up" ""\r$' "$cfg" || fail "could not prepare the settings file"
e2e_start_launcher
main="$(wait_window "Vornhale Launcher")"

press "$main" alt+c
menu="$(wait_window "Configuration")"
press "$menu" alt+k
keyboard="$(wait_window "Keyboard Configuration")"

# The first row sits just below the column headers.
xdotool mousemove --window "$keyboard" 60 60 sleep 0.2 click --repeat 2 --delay 120 1
picker="$(wait_window "Pick Key")"
wait_window_gone "Keyboard Configuration"
# Highlighting the current key is no pick: the picker stays.
sleep 0.7
xdotool search --onlyvisible --name '^Pick Key$' >/dev/null || fail "the picker closed by itself"
[ "$(client_size "$picker")" = "164x341" ] || fail "picker client area is $(client_size "$picker")"
[ -n "${KEY_PICKER_SHOT:-}" ] && import -window "$picker" "$KEY_PICKER_SHOT"

press "$picker" Down
wait_window_gone "Pick Key"
keyboard="$(wait_window "Keyboard Configuration")"
# Back where it was before the picker, not a frame's height lower.
expect_centred "$keyboard" "the keyboard dialog back from the picker"
# The configuration menu stays blocked until "Ok": a click on its
# "&Return to Main Menu" button does nothing.
sleep 0.5
click_at "$menu" 180 422
sleep 0.5
windows="$(visible_windows_of_launcher | sort | tr '\n' '|')"
[ "$windows" = "Configuration|Keyboard Configuration|" ] || fail "visible windows: $windows"
[ -n "${KEYBOARD_SHOT:-}" ] && import -window "$keyboard" "$KEYBOARD_SHOT"

click_at "$keyboard" 104 322
wait_window_gone "Keyboard Configuration"
press "$menu" alt+r
wait_window_gone "Configuration"
main="$(wait_window "Vornhale Launcher")"

grep -q $'^Move_Forward = "Down" ""\r$' "$cfg" || fail "Move_Forward is now: $(grep -a Move_Forward "$cfg")"
# The other rows keep their keys; the second field is not the launcher's.
grep -q $'^Move_Backward = "Down" ""\r$' "$cfg" || fail "Move_Backward is now: $(grep -a Move_Backward "$cfg")"
grep -q $'^Strafe_Left = "," ""\r$' "$cfg" || fail "Strafe_Left is now: $(grep -a Strafe_Left "$cfg")"

press "$main" alt+x
rc="$(wait_exit)"
[ "$rc" = 0 ] || fail "exit code $rc"
echo "passed"
