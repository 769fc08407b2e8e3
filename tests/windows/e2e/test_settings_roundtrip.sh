#!/usr/bin/env bash
# A setting's way through the .exe under Wine: Sound Blaster picked in the
# audio dialog, written by "Return to Main Menu" over its own line only, CR LF
# kept, and CDA.DAT created; then a read-only settings file gives the runtime's
# "Cannot create file" box, leaves the file and no temporary file behind, and
# keeps the configuration menu open.
. "$(dirname "$0")/lib.sh"

e2e_start
cfg="$GAME/ENGINE/VORNHL.CFG"
prepare_sound_card_pick
pick_sound_blaster
expect_sound_blaster_saved

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
