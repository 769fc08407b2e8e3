#!/usr/bin/env bash
# A setting's way through the .exe under Wine: Sound Blaster picked in the
# audio dialog, written by "Return to Main Menu" over its own line only, CR LF
# kept, and CDA.DAT created; then a read-only settings file gives the runtime's
# "Cannot create file" box, leaves the file and no temporary file behind, and
# keeps the configuration menu open.
. "$(dirname "$0")/lib.sh"

e2e_start_x
wine_game
cfg="$GAME/ENGINE/VORNHL.CFG"
# Start from no sound card, so the pick below changes the file.
sed -i 's/^FXDevice = 0\r$/FXDevice = 13\r/' "$cfg"
grep -q $'^FXDevice = 13\r$' "$cfg" || fail "could not prepare the settings file"
# Every save empties the second key of a key definition; start from lines
# already in that form, so any other change shows up below.
sed -i 's/^\([A-Za-z_]* = "[^"]*"\) "[^"]*"\r$/\1 ""\r/' "$cfg"
rm -f "$GAME/CDA.DAT"
cp "$cfg" "$E2E_TMP/before.cfg"
wine_start_launcher

press "$MAIN_WINDOW" alt+c
config="$(wait_window "Configuration")"
press "$config" alt+a
audio="$(wait_window "Audio Configuration")"
# The card list has the focus: one step down from "None" is "Sound Blaster";
# "Ok", which Return presses, is two steps back from the list.
press "$audio" Down shift+Tab shift+Tab Return
wait_window_gone "Audio Configuration"
press "$config" alt+r
wait_window_gone "Configuration"
wait_window "Vornhale Launcher" >/dev/null

sed 's/^FXDevice = 13\r$/FXDevice = 0\r/' "$E2E_TMP/before.cfg" >"$E2E_TMP/expected.cfg"
if ! cmp -s "$cfg" "$E2E_TMP/expected.cfg"; then
    diff "$E2E_TMP/expected.cfg" "$cfg" | cat -A >&2 || true
    fail "the settings file differs from the one expected"
fi
[ "$(od -An -tx1 "$GAME/CDA.DAT" 2>/dev/null | tr -d ' \n')" = "00" ] || fail "CDA.DAT is not the single byte 0"

# A read-only settings file: Windows refuses to replace it.
chmod a-w "$cfg"
cp "$cfg" "$E2E_TMP/readonly.cfg"
press "$MAIN_WINDOW" alt+c
config="$(wait_window "Configuration")"
press "$config" alt+r
# The main window is hidden: the only window with the application title is the box.
box="$(wait_window "Vornhale Launcher")"
text="$(message_box_text "$box")"
grep -qxF 'Cannot create file .\ENGINE\VORNHL.CFG' <<<"$text" || fail "the box said: $text"
press "$box" Return
wait_window_gone "Vornhale Launcher"
cmp -s "$cfg" "$E2E_TMP/readonly.cfg" || fail "the read-only settings file changed"
leftovers="$(ls -A "$GAME/ENGINE" | grep -vxF -e VORNHL.CFG -e NET.BAT -e NETDRV.EXE || true)"
[ -z "$leftovers" ] || fail "left in ENGINE: $leftovers"
xdotool search --onlyvisible --name '^Configuration$' >/dev/null || fail "the configuration menu closed"

press "$config" alt+F4
wait_window "Vornhale Launcher" >/dev/null
press "$MAIN_WINDOW" alt+x
rc="$(wait_exit)"
[ "$rc" = 0 ] || fail "exit code $rc"
echo "passed"
