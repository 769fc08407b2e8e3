#!/usr/bin/env bash
# The real launcher in a copy of the demo: one window, the main menu, with its
# fixed client area; Alt+X ends it cleanly and leaves the settings alone.
. "${E2E_LIB:-$(dirname "$0")/lib.sh}"

e2e_start
before="$(md5sum "$GAME/ENGINE/VORNHL.CFG")"

[ "$(client_size "$MAIN_WINDOW")" = "367x467" ] || fail "client area is $(client_size "$MAIN_WINDOW")"
windows="$(visible_windows_of_launcher)"
[ "$windows" = "Vornhale Launcher" ] || fail "visible windows: $windows"

press "$MAIN_WINDOW" alt+x
rc="$(wait_exit)"
[ "$rc" = 0 ] || fail "exit code $rc"
[ "$(md5sum "$GAME/ENGINE/VORNHL.CFG")" = "$before" ] || fail "settings file changed"
echo "passed"
