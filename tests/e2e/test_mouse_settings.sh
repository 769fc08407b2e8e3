#!/usr/bin/env bash
# The mouse settings in the real launcher: going through the configuration
# menu without touching anything keeps the sensitivity exactly as it was, and
# the mouse dialog works from the keyboard alone, in its focus order.
. "${E2E_LIB:-$(dirname "$0")/lib.sh}"

e2e_start
cfg="$GAME/ENGINE/VORNHL.CFG"
line() { grep -a "^$1 = " "$cfg" | tr -d '\r'; }

for round in 1 2 3; do
    press "$MAIN_WINDOW" alt+c
    menu="$(wait_window "Configuration")"
    press "$menu" alt+r
    wait_window_gone "Configuration"
    MAIN_WINDOW="$(wait_window "Vornhale Launcher")"
    [ "$(line MouseSensitivity)" = "MouseSensitivity = 52427" ] || fail "round $round: $(line MouseSensitivity)"
done
[ "$(line MouseButton0)" = 'MouseButton0 = "Fire"' ] || fail "$(line MouseButton0)"

press "$MAIN_WINDOW" alt+c
menu="$(wait_window "Configuration")"
press "$menu" alt+m
mouse="$(wait_window "Mouse Configuration")"
[ "$(client_size "$mouse")" = "377x371" ] || fail "mouse client area is $(client_size "$mouse")"
# Left button: one item down; six steps on to the sensitivity, one up; then
# "Ok" is next in the focus order.
press "$mouse" Down Tab Tab Tab Tab Tab Tab Right Tab space
wait_window_gone "Mouse Configuration"
press "$menu" alt+r
wait_window_gone "Configuration"
MAIN_WINDOW="$(wait_window "Vornhale Launcher")"

[ "$(line MouseButton0)" = 'MouseButton0 = "Look_Down"' ] || fail "$(line MouseButton0)"
[ "$(line MouseSensitivity)" = "MouseSensitivity = 52754" ] || fail "$(line MouseSensitivity)"
[ "$(line MouseButtonClicked0)" = 'MouseButtonClicked0 = "Move_Forward"' ] || fail "$(line MouseButtonClicked0)"

press "$MAIN_WINDOW" alt+x
rc="$(wait_exit)"
[ "$rc" = 0 ] || fail "exit code $rc"
echo "passed"
