#!/usr/bin/env bash
# A modem call from the real window: the launch file as the table says, the
# player name saved, NET.BAT started in ENGINE, and the launcher gone. Before
# that, "Abort" leaves everything as it was and the launcher running.
. "${E2E_LIB:-$(dirname "$0")/lib.sh}"

e2e_start
engine="$GAME/ENGINE"
# A stand-in for the network driver that reports where it ran and what it read.
cat >"$engine/NET.BAT" <<'BAT'
#!/bin/sh
cp COMMIT.DAT RECEIVED.DAT 2>/dev/null
pwd -P > STARTED_IN.TXT
BAT
chmod +x "$engine/NET.BAT"
cp "$engine/VORNHL.CFG" "$E2E_TMP/before.cfg"

# Fields are clicked: a dialog shown again keeps the focus where it was left.
type_into() {
    click_at "$modem" "$1" "$2"
    press "$modem" ctrl+a
    xdotool type --delay 30 "$3"
}

modem="$(open_modem_dialog)"
type_into 256 66 "555-0000"
press "$modem" alt+a
wait_window_gone "Modem Game"
sleep 0.5
kill -0 "$LAUNCHER_PID" 2>/dev/null || fail "Abort ended the launcher"
[ ! -e "$engine/COMMIT.DAT" ] || fail "Abort wrote a launch file"
[ ! -e "$engine/STARTED_IN.TXT" ] || fail "Abort started NET.BAT"
cmp -s "$engine/VORNHL.CFG" "$E2E_TMP/before.cfg" || fail "Abort changed the settings file"
[ "$(visible_windows_of_launcher)" = "Vornhale Launcher" ] || fail "windows after Abort: $(visible_windows_of_launcher)"

# The main menu is back in main mode, so Alt+M switches again.
modem="$(open_modem_dialog)"
type_into 196 18 "Ace Caller"
type_into 256 66 "555-0134"
press "$modem" alt+c
rc="$(wait_exit)"
[ "$rc" = 0 ] || { cat "$E2E_TMP/launcher.log" >&2; fail "exit code $rc"; }

for _ in $(seq 50); do [ -s "$engine/STARTED_IN.TXT" ] && break; sleep 0.1; done
[ -s "$engine/STARTED_IN.TXT" ] || fail "NET.BAT was not started"
[ "$(cat "$engine/STARTED_IN.TXT")" = "$(cd "$engine" && pwd -P)" ] ||
    fail "NET.BAT ran in $(cat "$engine/STARTED_IN.TXT")"

printf '%s\r\n' "[COMMIT]" "COMMTYPE = 2" "CONNECTTYPE = 0" "NUMPLAYERS = 2" "PAUSE = 0" "USETONE = 1" \
    "COMPORT = 2" "IRQNUMBER = ~" "UARTADDRESS = ~" "PORTSPEED = 9600" 'INITSTRING = "AT&F1"' \
    'HANGUPSTRING = "ATH0=0"' 'PHONENUMBER = "555-0134"' 'LAUNCHNAME = "GAME.EXE"' "SHOWSTATS = 0" \
    >"$E2E_TMP/expected.dat"
if ! cmp -s "$engine/COMMIT.DAT" "$E2E_TMP/expected.dat"; then
    diff "$E2E_TMP/expected.dat" "$engine/COMMIT.DAT" >&2 || true
    fail "COMMIT.DAT differs from the table"
fi
cmp -s "$engine/RECEIVED.DAT" "$E2E_TMP/expected.dat" || fail "NET.BAT did not find the launch file"
grep -q $'^PlayerName = "Ace Caller"\r$' "$engine/VORNHL.CFG" || fail "the player name was not saved"
grep -q $'^ComPort = 2\r$' "$engine/VORNHL.CFG" || fail "the modem set-up was not saved"
echo "passed"
