#!/usr/bin/env bash
# An IPX start from the real window with the player count changed: its
# NUMPLAYERS line, the socket as shown, NET.BAT started in ENGINE, and the
# launcher gone.
. "$(dirname "$0")/lib.sh"

e2e_start
engine="$GAME/ENGINE"
cat >"$engine/NET.BAT" <<'BAT'
#!/bin/sh
pwd -P > STARTED_IN.TXT
BAT
chmod +x "$engine/NET.BAT"
# A longer launch file from an earlier start must not survive in part.
printf 'OLD LINE %s\r\n' $(seq 40) >"$engine/COMMIT.DAT"

press "$MAIN_WINDOW" alt+m
sleep 0.3
# "Play Vornhale via IPX network" has no accelerator: click it.
click_at "$MAIN_WINDOW" 183 162
ipx="$(wait_window "IPX Network Game")"
# Name, socket, then the player list: two steps down from "2 Players".
press "$ipx" Tab Tab Down Down
press "$ipx" alt+s
rc="$(wait_exit)"
[ "$rc" = 0 ] || fail "exit code $rc"

for _ in $(seq 50); do [ -s "$engine/STARTED_IN.TXT" ] && break; sleep 0.1; done
[ "$(cat "$engine/STARTED_IN.TXT" 2>/dev/null)" = "$(cd "$engine" && pwd -P)" ] || fail "NET.BAT was not started in ENGINE"
printf '%s\r\n' "[COMMIT]" "COMMTYPE = 3" "NUMPLAYERS = 4" "PAUSE = 0" "VECTOR = ~" "SOCKETNUMBER = 0" \
    'LAUNCHNAME = "GAME.EXE"' "SHOWSTATS = 0" >"$E2E_TMP/expected.dat"
if ! cmp -s "$engine/COMMIT.DAT" "$E2E_TMP/expected.dat"; then
    diff "$E2E_TMP/expected.dat" "$engine/COMMIT.DAT" >&2 || true
    fail "COMMIT.DAT differs from the table"
fi
grep -q $'^PlayerName = "Wanderer"\r$' "$engine/VORNHL.CFG" || fail "the player name was not saved back"
echo "passed"
