#!/usr/bin/env bash
# A setting's whole way in the real launcher: picked in the audio dialog with
# the keyboard, written by "Return to Main Menu" over its own line only, with
# CDA.DAT following CD audio; leaving through the close box writes nothing.
. "${E2E_LIB:-$(dirname "$0")/lib.sh}"

e2e_start
cfg="$GAME/ENGINE/VORNHL.CFG"
prepare_sound_card_pick
pick_sound_blaster
expect_sound_blaster_saved

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
