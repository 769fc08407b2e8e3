#!/usr/bin/env bash
# The registry under the .exe in Wine. A web button starts the HTML handler
# registered with "wine reg add" (scripts/test-windows-e2e.sh): the program
# path unquoted, its option, and the page's full path. Modem detection fills
# "Select Modem" from the modem keys; the second entry's port and init command
# reach the settings file at the next save.
. "$(dirname "$0")/lib.sh"

browser_record="$WINEPREFIX/drive_c/Program Files/Web Browser/COMMANDLINE.TXT"
rm -f "$browser_record"
e2e_start

# "Check out the Selvane Web site" (Button3).
click_at "$MAIN_WINDOW" 183 298
for _ in $(seq 100); do [ -f "$browser_record" ] && break; sleep 0.1; done
[ -f "$browser_record" ] || fail "the browser was not started"
expected=" -NEW \"\" $(win_path "$GAME")\\web\\Selvane\\Index.htm"
command_line="$(cat "$browser_record")"
[ "${command_line: -${#expected}}" = "$expected" ] || fail "the browser received: $command_line"
[ ! -f "$E2E_TMP/launcher.exit" ] || fail "the launcher ended"
# The browser records its command line before the launcher's click handler
# has returned; under Wine, keys pressed at once were now and then lost.
sleep 1

press "$MAIN_WINDOW" alt+c
config="$(wait_window "Configuration")"
press "$config" alt+c
misc="$(wait_window "Misc. Configuration")"
# "Click here to Auto-detect your Modem" has no accelerator: click it.
click_at "$misc" 332 180
modems="$(wait_window "Select Modem")"
[ -n "${VORNHALE_WIN_SHOTS:-}" ] && screenshot "$modems" "$VORNHALE_WIN_SHOTS/select-modem-detected.png"
# The list has the focus: the first Down picks "Vornhale Test Modem A", the
# second "Vornhale Test Modem B"; Enter is "OK".
press "$modems" Down Down Return
wait_window_gone "Select Modem"
press "$misc" Escape
wait_window_gone "Misc. Configuration"
press "$config" alt+r
wait_window_gone "Configuration"
cfg="$GAME/ENGINE/VORNHL.CFG"
grep -q $'^ComPort = 4\r$' "$cfg" || fail "saved: $(grep -a '^ComPort' "$cfg")"
grep -q $'^InitString = "AT&F1ATM0<cr>"\r$' "$cfg" || fail "saved: $(grep -a '^InitString' "$cfg")"
echo "passed"
