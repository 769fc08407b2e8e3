#!/usr/bin/env bash
# The command line: --version and a bad --game-dir answer without a display
# (no window can appear); --game-dir to the demo, given from another folder
# beside an option the launcher does not know, runs the game in the demo and
# remembers nothing.
. "${E2E_LIB:-$(dirname "$0")/lib.sh}"

version="$(sed -n 's/^project(VornhaleLauncher VERSION \([0-9.]*\) .*/\1/p' "$DEMO/../CMakeLists.txt")"
out="$(env -u DISPLAY QT_QPA_PLATFORM=xcb "$LAUNCHER" --version)" || fail "--version failed"
[ "$out" = "Vornhale Launcher $version" ] || fail "--version printed '$out'"

e2e_start_x
mkdir "$E2E_TMP/elsewhere" "$E2E_TMP/home"
export HOME="$E2E_TMP/home" XDG_CONFIG_HOME="$E2E_TMP/home/.config"

rc=0
(cd "$E2E_TMP/elsewhere" && env -u DISPLAY QT_QPA_PLATFORM=xcb "$LAUNCHER" --game-dir "$E2E_TMP/missing" \
    >"$E2E_TMP/out" 2>"$E2E_TMP/err") || rc=$?
[ "$rc" = 2 ] || fail "missing --game-dir: exit code $rc, $(cat "$E2E_TMP/err")"
[ "$(cat "$E2E_TMP/err")" = "vornhale-launcher: --game-dir: \"$E2E_TMP/missing\" does not exist" ] ||
    fail "missing --game-dir said: $(cat "$E2E_TMP/err")"
[ ! -s "$E2E_TMP/out" ] || fail "missing --game-dir printed: $(cat "$E2E_TMP/out")"

demo="$GAME"
printf '#!/bin/sh\nexec "%s" --fullscreen --game-dir "%s"\n' "$LAUNCHER" "$demo" >"$E2E_TMP/launch"
chmod +x "$E2E_TMP/launch"
LAUNCHER="$E2E_TMP/launch" GAME="$E2E_TMP/elsewhere" e2e_start_launcher
MAIN_WINDOW="$(wait_window "Vornhale Launcher")"
[ "$(client_size "$MAIN_WINDOW")" = 367x467 ] || fail "main menu is $(client_size "$MAIN_WINDOW")"
press "$MAIN_WINDOW" alt+s
[ "$(wait_exit)" = 0 ] || fail "exit code after the game's start"
for _ in $(seq 100); do [ -s "$demo/LASTRUN.TXT" ] && break; sleep 0.1; done
[ "$(head -n 1 "$demo/LASTRUN.TXT")" = "Vornhale would start now in: $demo" ] || fail "LASTRUN.TXT: $(cat "$demo/LASTRUN.TXT")"
[ ! -e "$XDG_CONFIG_HOME/vornhale" ] || fail "--game-dir was remembered"
echo "passed"
