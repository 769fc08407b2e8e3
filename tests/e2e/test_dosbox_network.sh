#!/usr/bin/env bash
# Network games through DOSBox's own network, with the real DOSBox, headless.
# Two launchers on two copies of the game: the first hosts an IPX game, the
# second joins it at 127.0.0.1, and DOS's IPXNET STATUS shows it connected
# there. The player's own DOSBox settings still apply. Cancelling the
# host-or-join question changes nothing. A modem game that waits for a call
# leaves DOSBox answering on its TCP port; a call keeps the number as typed.
. "${E2E_LIB:-$(dirname "$0")/lib.sh}"
e2e_own_network "$@"

need_dosbox
e2e_start_x
# The player's own DOSBox configuration: a speed of their own, and no IPX.
dosbox_scratch_home $'[cpu]\ncycles=1234\n[ipx]\nipx=false\n'
GAME1="$GAME"
GAME2="$E2E_TMP/game2"
cp -a "$DEMO/." "$GAME2/"

# Whatever DOSBox still runs from this scratch folder goes with it.
trap 'end_our_dosboxes; e2e_cleanup' EXIT

# Each copy's network driver is a DOS batch file reporting what DOS sees;
# the host's WAIT keeps its DOSBox, and so its IPX server, while the other
# player joins.
net_bat "$GAME1" 'config -get cpu cycles > CYCLES.TXT' 'IPXNET STATUS > STATUS.TXT' 'WAIT'
net_bat "$GAME2" 'IPXNET STATUS > STATUS.TXT'

# Cancel leaves everything as it was, and the IPX dialog open.
start_in "$GAME1"
cp "$GAME1/ENGINE/VORNHL.CFG" "$E2E_TMP/before.cfg"
ipx="$(open_ipx_dialog)"
press "$ipx" alt+s
question="$(wait_window "Host or Join")"
press "$question" Escape
wait_window_gone "Host or Join"
sleep 0.5
xdotool search --onlyvisible --name '^IPX Network Game$' >/dev/null 2>&1 || fail "Cancel closed the IPX dialog"
[ ! -e "$GAME1/ENGINE/COMMIT.DAT" ] || fail "Cancel wrote a launch file"
cmp -s "$GAME1/ENGINE/VORNHL.CFG" "$E2E_TMP/before.cfg" || fail "Cancel changed the settings file"
[ ! -e "$XDG_CONFIG_HOME/vornhale/launcher.ini" ] || fail "Cancel remembered an answer"
[ -z "$(our_dosboxes)" ] || fail "Cancel started DOSBox"

# Hosting is proposed: Return takes it.
press "$ipx" alt+s
question="$(wait_window "Host or Join")"
press "$question" Return
launcher_ended
[ "$(dos_file "$GAME1/ENGINE/CYCLES.TXT")" = 1234 ] || fail "the player's DOSBox speed was lost: $(cat "$GAME1/ENGINE/CYCLES.TXT")"
status="$(dos_file "$GAME1/ENGINE/STATUS.TXT")"
grep -q '^Server status: ACTIVE' <<<"$status" || fail "the host runs no IPX server: $status"
[ -s "$GAME1/ENGINE/COMMIT.DAT" ] || fail "no launch file"

# The second player types the host's address and presses Return.
start_in "$GAME2"
ipx="$(open_ipx_dialog)"
press "$ipx" alt+s
question="$(wait_window "Host or Join")"
click_at "$question" 240 48
xdotool type --delay 30 "127.0.0.1"
press "$question" Return
launcher_ended
status="$(dos_file "$GAME2/ENGINE/STATUS.TXT")"
grep -q '^Client status: CONNECTED -- Server at 127.0.0.1 port 21300' <<<"$status" ||
    fail "the second player is not connected to the host: $status"
end_our_dosboxes

# A modem game waiting for a call: DOSBox answers on TCP port 23000.
net_bat "$GAME1" 'WAIT'
rm -f "$GAME1/ENGINE/COMMIT.DAT"
start_in "$GAME1"
modem="$(open_modem_dialog)"
press "$modem" alt+w
# The address to call shows first; Return starts waiting.
press "$(wait_window "Wait For Call")" Return
launcher_ended
answered=""
for _ in $(seq 100); do
    if (exec 3<>/dev/tcp/127.0.0.1/23000) 2>/dev/null; then
        answered=yes
        break
    fi
    sleep 0.1
done
[ -n "$answered" ] || fail "nothing answers on port 23000; DOSBoxes: $(our_dosboxes | tr '\n' ' ')"
grep -q '^CONNECTTYPE = 1' "$GAME1/ENGINE/COMMIT.DAT" || fail "no waiting modem game in the launch file"

# A call dials the number as typed: it reaches the launch file unchanged.
net_bat "$GAME2" 'echo called> CALLED.TXT'
start_in "$GAME2"
modem="$(open_modem_dialog)"
click_at "$modem" 256 66
xdotool type --delay 30 "127.0.0.1:23000"
press "$modem" alt+c
launcher_ended
grep -q $'^PHONENUMBER = "127.0.0.1:23000"\r$' "$GAME2/ENGINE/COMMIT.DAT" ||
    fail "launch file: $(cat -A "$GAME2/ENGINE/COMMIT.DAT")"
[ "$(dos_file "$GAME2/ENGINE/CALLED.TXT")" = called ] || fail "NET.BAT did not run in DOSBox"
echo "passed"
