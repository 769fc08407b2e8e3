#!/usr/bin/env bash
# A setting's whole way in the real launcher: picked in the audio dialog with
# the keyboard, written by "Return to Main Menu" over its own line only, with
# CDA.DAT following CD audio; leaving through the close box writes nothing.
. "$(dirname "$0")/lib.sh"

e2e_start
cfg="$GAME/ENGINE/VORNHL.CFG"
# Start from no sound card, so the pick below changes the file.
sed -i 's/^FXDevice = 0\r$/FXDevice = 13\r/' "$cfg"
grep -q $'^FXDevice = 13\r$' "$cfg" || fail "could not prepare the settings file"
# Every save empties the second key of a key definition; start from lines
# already in that form, so any other change shows up below.
sed -i 's/^\([A-Za-z_]* = "[^"]*"\) "[^"]*"\r$/\1 ""\r/' "$cfg"
rm -f "$GAME/CDA.DAT"
cp "$cfg" "$E2E_TMP/before.cfg"

press "$MAIN_WINDOW" alt+c
config="$(wait_window "Configuration")"
press "$config" alt+a
audio="$(wait_window "Audio Configuration")"
# The card list has the focus when the dialog opens: one step down from
# "None" is "Sound Blaster"; "Ok" is two steps back from the list.
press "$audio" Down shift+Tab shift+Tab Return
wait_window_gone "Audio Configuration"
press "$config" alt+r
wait_window_gone "Configuration"
wait_window "Vornhale Launcher" >/dev/null

sed 's/^FXDevice = 13\r$/FXDevice = 0\r/' "$E2E_TMP/before.cfg" >"$E2E_TMP/expected.cfg"
if ! cmp -s "$cfg" "$E2E_TMP/expected.cfg"; then
    diff "$E2E_TMP/expected.cfg" "$cfg" >&2 || true
    fail "the settings file differs from the one expected"
fi
[ -f "$GAME/CDA.DAT" ] || fail "CDA.DAT was not created"
[ "$(od -An -tx1 "$GAME/CDA.DAT" | tr -d ' \n')" = "00" ] || fail "CDA.DAT is not the single byte 0"

# Change the card again, then leave through the close box: nothing is saved.
cp "$cfg" "$E2E_TMP/saved.cfg"
rm -f "$GAME/CDA.DAT"
press "$MAIN_WINDOW" alt+c
config="$(wait_window "Configuration")"
press "$config" alt+a
audio="$(wait_window "Audio Configuration")"
# The dialog comes back with the focus where it was left, on "Ok"; the card
# list is two steps on.
press "$audio" Tab Tab Down shift+Tab shift+Tab Return
wait_window_gone "Audio Configuration"
press "$config" alt+F4
wait_window_gone "Configuration"
wait_window "Vornhale Launcher" >/dev/null
cmp -s "$cfg" "$E2E_TMP/saved.cfg" || fail "closing the configuration menu changed the settings file"
[ ! -e "$GAME/CDA.DAT" ] || fail "closing the configuration menu wrote CDA.DAT"

press "$MAIN_WINDOW" alt+x
rc="$(wait_exit)"
[ "$rc" = 0 ] || fail "exit code $rc"
echo "passed"
