#!/usr/bin/env bash
# Starting games from the .exe under Wine. Single player: WinExec starts
# VORNHALE.EXE (a Windows stand-in) in the game folder and the launcher ends.
# IPX: COMMIT.DAT byte for byte, then ENGINE\NET.BAT run in ENGINE by Wine's
# cmd (it calls the stand-in NETDRV.EXE), and the launcher ends.
. "$(dirname "$0")/lib.sh"

wine_e2e_start
press "$MAIN_WINDOW" alt+s
rc="$(wait_exit)"
[ "$rc" = 0 ] || fail "exit code $rc"
record="$(stand_in_record "$GAME/VORNHALE.RUN")"
[ "$(sed -n 1p <<<"$record")" = "VORNHALE.EXE" ] || fail "the game's command line: $(sed -n 1p <<<"$record")"
[ "$(sed -n 2p <<<"$record")" = "$(win_path "$GAME")" ] || fail "the game ran in $(sed -n 2p <<<"$record")"

engine="$GAME/ENGINE"
# A longer launch file from an earlier start must not survive in part.
printf 'OLD LINE %s\r\n' $(seq 40) >"$engine/COMMIT.DAT"
wine_start_launcher
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

record="$(stand_in_record "$engine/NETDRV.RUN")"
[ "$(sed -n 2p <<<"$record")" = "$(win_path "$engine")" ] || fail "NET.BAT ran in $(sed -n 2p <<<"$record")"
printf '%s\r\n' "[COMMIT]" "COMMTYPE = 3" "NUMPLAYERS = 4" "PAUSE = 0" "VECTOR = ~" "SOCKETNUMBER = 0" \
    'LAUNCHNAME = "GAME.EXE"' "SHOWSTATS = 0" >"$E2E_TMP/expected.dat"
if ! cmp -s "$engine/COMMIT.DAT" "$E2E_TMP/expected.dat"; then
    diff "$E2E_TMP/expected.dat" "$engine/COMMIT.DAT" | cat -A >&2 || true
    fail "COMMIT.DAT differs from the table"
fi
grep -q $'^PlayerName = "Wanderer"\r$' "$engine/VORNHL.CFG" || fail "the player name was not saved back"
echo "passed"
