#!/usr/bin/env bash
# The command line: --version, a bad --game-dir and a mistyped option answer
# without a display (no window can appear); --game-dir to the demo, in a
# folder named in Latin-1 bytes and given from another folder beside one of
# Qt's own options, runs the game there and remembers nothing; started inside
# that folder, the launcher works there too.
. "${E2E_LIB:-$(dirname "$0")/lib.sh}"

version="$(sed -n 's/^project(VornhaleLauncher VERSION \([0-9.]*\) .*/\1/p' "$DEMO/../CMakeLists.txt")"
out="$(env -u DISPLAY QT_QPA_PLATFORM=xcb "$LAUNCHER" --version)" || fail "--version failed"
[ "$out" = "Vornhale Launcher $version" ] || fail "--version printed '$out'"

e2e_start_x
mkdir "$E2E_TMP/elsewhere" "$E2E_TMP/home"
export HOME="$E2E_TMP/home" XDG_CONFIG_HOME="$E2E_TMP/home/.config"

# Refused without a window, with the reason: exit code 2, nothing on stdout.
refused() {
    local expected="$1" rc=0
    shift
    (cd "$E2E_TMP/elsewhere" && env -u DISPLAY QT_QPA_PLATFORM=xcb "$LAUNCHER" "$@" >"$E2E_TMP/out" 2>"$E2E_TMP/err") ||
        rc=$?
    [ "$rc" = 2 ] || fail "$*: exit code $rc, $(cat "$E2E_TMP/err")"
    [ "$(cat "$E2E_TMP/err")" = "$expected" ] || fail "$* said: $(cat "$E2E_TMP/err")"
    [ ! -s "$E2E_TMP/out" ] || fail "$* printed: $(cat "$E2E_TMP/out")"
}
refused "vornhale-launcher: --game-dir: \"$E2E_TMP/missing\" does not exist" --game-dir "$E2E_TMP/missing"
refused "vornhale-launcher: --game-dir: \"$E2E_TMP/home\" holds no Vornhale game: it has neither VORNHALE.EXE nor an ENGINE folder" \
    --game-dir "$E2E_TMP/home"
refused 'vornhale-launcher: unknown option "gamedir" (--help lists the options)' --gamedir "$GAME"
refused "vornhale-launcher: unexpected argument \"$GAME\"; a game's folder is given as --game-dir DIR" "$GAME"

# A game folder named in Latin-1 bytes, as older disks have them, given
# with --game-dir beside one of Qt's own options: the game starts there.
demo="$E2E_TMP/Vornhale caf"$'\xe9'
mv "$GAME" "$demo"
printf '#!/bin/sh\nexec "%s" -style fusion --game-dir "%s"\n' "$LAUNCHER" "$demo" >"$E2E_TMP/launch"
chmod +x "$E2E_TMP/launch"
LAUNCHER_SELF="$LAUNCHER"
LAUNCHER="$E2E_TMP/launch" GAME="$E2E_TMP/elsewhere" e2e_start_launcher
MAIN_WINDOW="$(wait_window "Vornhale Launcher")"
[ "$(client_size "$MAIN_WINDOW")" = 367x467 ] || fail "main menu is $(client_size "$MAIN_WINDOW")"
press "$MAIN_WINDOW" alt+s
[ "$(wait_exit)" = 0 ] || fail "exit code after the game's start"
for _ in $(seq 100); do [ -s "$demo/LASTRUN.TXT" ] && break; sleep 0.1; done
[ "$(head -n 1 "$demo/LASTRUN.TXT")" = "Vornhale would start now in: $demo" ] || fail "LASTRUN.TXT: $(cat "$demo/LASTRUN.TXT")"
[ ! -e "$XDG_CONFIG_HOME/vornhale" ] || fail "--game-dir was remembered"

# Started inside that folder, the launcher works there and asks nothing.
rm "$demo/LASTRUN.TXT"
LAUNCHER="$LAUNCHER_SELF" GAME="$demo" e2e_start_launcher
MAIN_WINDOW="$(wait_window "Vornhale Launcher")"
press "$MAIN_WINDOW" alt+s
[ "$(wait_exit)" = 0 ] || fail "exit code after the game's start inside the folder"
for _ in $(seq 100); do [ -s "$demo/LASTRUN.TXT" ] && break; sleep 0.1; done
[ -s "$demo/LASTRUN.TXT" ] || fail "the game did not start inside \"$demo\""
GAME="$demo"
echo "passed"
