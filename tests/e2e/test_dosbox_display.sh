#!/usr/bin/env bash
# DOSBox's window for the game's 320 x 200 mode (dos/mode13.asm), on X
# screens of two sizes with SDL left to X: 4:3 and most of the screen's
# height by default, the whole screen once "Full screen" is picked, and as
# a player's own DOSBox configuration says.
. "${E2E_LIB:-$(dirname "$0")/lib.sh}"

need_dosbox
unset SDL_VIDEODRIVER
trap 'end_our_dosboxes; e2e_cleanup' EXIT

# Starts "Single Player" (in the launcher already running with "running");
# prints WIDTHxHEIGHT of DOSBox's window once it keeps its size, and ends it.
play() {
    local size="" last=""
    [ "${1:-}" = running ] || start_main_menu
    press "$MAIN_WINDOW" alt+s
    launcher_ended
    for _ in $(seq 100); do
        size="$(xwininfo -root -tree | grep -m 1 '"DOSBox.*Program: *VORNHALE"' | grep -o ' [0-9]*x[0-9]*+' | tr -d ' +' || true)"
        [ -n "$size" ] && [ "$size" = "$last" ] && break
        last="$size"
        sleep 0.3
    done
    end_our_dosboxes
    [ -n "$size" ] || fail "no DOSBox window; DOSBox said: $(tail -n 5 "$XDG_CACHE_HOME/vornhale/dosbox.log" 2>/dev/null)"
    echo "$size"
}

for screen in 1280x1024 1920x1080; do
    # The X server of the screen before goes, with all it ran.
    [ -z "${E2E_TMP:-}" ] || { end_our_dosboxes; e2e_cleanup; E2E_PIDS=(); }
    E2E_SCREEN="${screen}x24" e2e_start_x
    nasm -f bin -o "$GAME/VORNHALE.EXE" "$(dirname "$0")/dos/mode13.asm" || fail "nasm failed"
    chmod a-x "$GAME/VORNHALE.EXE"
    dosbox_scratch_home

    size="$(play)"
    w="${size%x*}" h="${size#*x}"
    d=$((3 * w - 4 * h))
    [ "${d#-}" -le 12 ] && [ $((100 * h)) -ge $((80 * ${screen#*x})) ] ||
        fail "on $screen the window is $size, not 4:3 and at least 80 % of the height"

    # "Full screen", picked in the video dialog: Tab from the resolution
    # passes "Ok" to the DOSBox part.
    start_main_menu
    press "$MAIN_WINDOW" alt+c
    config="$(wait_window "Configuration")"
    press "$config" alt+v
    press "$(wait_window "Video Mode")" Tab Tab Down Escape
    wait_window_gone "Video Mode"
    press "$config" alt+r
    wait_window_gone "Configuration"
    grep -qx 'Display=fullscreen' "$XDG_CONFIG_HOME/vornhale/launcher.ini" || fail "the pick was not kept"
    size="$(play running)"
    [ "$size" = "$screen" ] || fail "full screen on $screen is $size"

    [ "$screen" = 1280x1024 ] || continue
    # Before any pick, the player's own keys win; the launcher adds
    # aspect=true, so the 320 x 200 mode fills 800 x 600.
    rm "$XDG_CONFIG_HOME/vornhale/launcher.ini"
    dosbox_scratch_home $'[sdl]\nwindowresolution=800x600\noutput=opengl\n'
    size="$(play)"
    [ "$size" = 800x600 ] || fail "with the player's own 800x600 the window is $size"
done
