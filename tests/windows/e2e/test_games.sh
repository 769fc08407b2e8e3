#!/usr/bin/env bash
# Starting games from the .exe under Wine. Single player: WinExec starts
# VORNHALE.EXE (a Windows stand-in) in the game folder and the launcher ends.
# IPX: COMMIT.DAT byte for byte, then ENGINE\NET.BAT run in ENGINE by Wine's
# cmd (it calls the stand-in NETDRV.EXE), and the launcher ends.
. "$(dirname "$0")/lib.sh"

e2e_start
press "$MAIN_WINDOW" alt+s
rc="$(wait_exit)"
[ "$rc" = 0 ] || fail "exit code $rc"
record="$(stand_in_record "$GAME/VORNHALE.RUN")"
[ "$(sed -n 1p <<<"$record")" = "VORNHALE.EXE" ] || fail "the game's command line: $(sed -n 1p <<<"$record")"
[ "$(sed -n 2p <<<"$record")" = "$(win_path "$GAME")" ] || fail "the game ran in $(sed -n 2p <<<"$record")"

engine="$GAME/ENGINE"
# A longer launch file from an earlier start must not survive in part.
printf 'OLD LINE %s\r\n' $(seq 40) >"$engine/COMMIT.DAT"
start_main_menu
start_ipx_for_four
rc="$(wait_exit)"
[ "$rc" = 0 ] || fail "exit code $rc"

record="$(stand_in_record "$engine/NETDRV.RUN")"
[ "$(sed -n 2p <<<"$record")" = "$(win_path "$engine")" ] || fail "NET.BAT ran in $(sed -n 2p <<<"$record")"
expect_ipx_launch_file
echo "passed"
