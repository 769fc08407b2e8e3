#!/usr/bin/env bash
# An IPX start from the real window with the player count changed: its
# NUMPLAYERS line, the socket as shown, NET.BAT started in ENGINE, and the
# launcher gone.
. "${E2E_LIB:-$(dirname "$0")/lib.sh}"

e2e_start
engine="$GAME/ENGINE"
cat >"$engine/NET.BAT" <<'BAT'
#!/bin/sh
pwd -P > STARTED_IN.TXT
BAT
chmod +x "$engine/NET.BAT"
# A longer launch file from an earlier start must not survive in part.
printf 'OLD LINE %s\r\n' $(seq 40) >"$engine/COMMIT.DAT"

start_ipx_for_four
rc="$(wait_exit)"
[ "$rc" = 0 ] || fail "exit code $rc"

for _ in $(seq 50); do [ -s "$engine/STARTED_IN.TXT" ] && break; sleep 0.1; done
[ "$(cat "$engine/STARTED_IN.TXT" 2>/dev/null)" = "$(cd "$engine" && pwd -P)" ] || fail "NET.BAT was not started in ENGINE"
expect_ipx_launch_file
echo "passed"
