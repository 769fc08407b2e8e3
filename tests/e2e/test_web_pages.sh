#!/usr/bin/env bash
# The five web-page buttons of the real main menu, in both modes: each hands
# the desktop's opener (a recording xdg-open first on PATH) exactly one
# argument, the full path of its page, and the menu stays in its mode. The
# game lives under a folder with a blank and shell characters in its name.
. "${E2E_LIB:-$(dirname "$0")/lib.sh}"

e2e_start_x

# Move the game below a name no shell could take unquoted.
odd="$E2E_TMP/My Games \$HOME;'x'&"
mkdir "$odd"
mv "$GAME" "$odd/Vornhale"
GAME="$odd/Vornhale"
game_dir="$(cd "$GAME" && pwd -P)"

mkdir "$E2E_TMP/bin" "$E2E_TMP/calls"
cat >"$E2E_TMP/bin/xdg-open" <<EOF
#!/bin/sh
# One file per call, one argument a line.
for a in "\$@"; do printf '%s\n' "\$a"; done >"$E2E_TMP/calls/.\$\$"
mv "$E2E_TMP/calls/.\$\$" "$E2E_TMP/calls/\$\$"
EOF
chmod +x "$E2E_TMP/bin/xdg-open"
export PATH="$E2E_TMP/bin:$PATH"

e2e_start_launcher
MAIN_WINDOW="$(wait_window "Vornhale Launcher")"

# Centre of a main-menu button, from its geometry in the form.
ui="$DEMO/../src/app/_main.ui"
centre() {
    grep -A1 "name=\"$1\"" "$ui" | sed -n 's/.*<x>\([0-9]*\)<\/x><y>\([0-9]*\)<\/y><width>\([0-9]*\)<\/width><height>\([0-9]*\)<\/height>.*/\1 \2 \3 \4/p' |
        awk '{print int($1 + $3 / 2), int($2 + $4 / 2)}'
}

# Clicks a button and checks the one call of xdg-open it causes.
expect_page() {
    local button="$1" page="$2" before new
    before="$(ls "$E2E_TMP/calls")"
    read -r x y <<<"$(centre "$button")"
    [ -n "$x" ] || fail "no geometry for $button"
    click_at "$MAIN_WINDOW" "$x" "$y"
    for _ in $(seq 100); do
        new="$(ls "$E2E_TMP/calls" | grep -vxF -e "$before" -e '' || true)"
        [ -n "$new" ] && break
        sleep 0.1
    done
    sleep 0.3  # a second call would show up by now
    new="$(ls "$E2E_TMP/calls" | grep -vxF -e "$before" -e '' || true)"
    [ "$(printf '%s' "$new" | grep -c .)" -eq 1 ] || fail "$button: calls of xdg-open: $(echo $new)"
    [ "$(cat "$E2E_TMP/calls/$new")" = "$game_dir/$page" ] ||
        fail "$button handed: $(tr '\n' '|' <"$E2E_TMP/calls/$new")"
}

all_pages() {
    expect_page Button3 web/Selvane/Index.htm
    expect_page Button7 web/Ostrevel/Index.htm
    expect_page Button4 web/Quenlow/Index.htm
    expect_page Button8 web/OnlineKelderin/Index.htm
    expect_page Button5 VirtualStore/Index.htm
}

# Main mode: the pages, then "&Configure" still opens the configuration menu.
all_pages
press "$MAIN_WINDOW" alt+c
config="$(wait_window "Configuration")"
press "$config" alt+F4
wait_window_gone "Configuration"
MAIN_WINDOW="$(wait_window "Vornhale Launcher")"

# Multiplayer mode: the pages, then the second button still opens the modem game.
press "$MAIN_WINDOW" alt+m
sleep 0.3
all_pages
read -r x y <<<"$(centre Button2)"
click_at "$MAIN_WINDOW" "$x" "$y"
modem="$(wait_window "Modem Game")"
press "$modem" Escape
wait_window_gone "Modem Game"

kill -0 "$LAUNCHER_PID" || fail "the launcher ended"
[ "$(ls "$E2E_TMP/calls" | wc -l)" -eq 10 ] || fail "$(ls "$E2E_TMP/calls" | wc -l) calls in all"
echo "passed"
