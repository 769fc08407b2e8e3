# Shared by the end-to-end tests: a private X server with a small window
# manager, a scratch copy of the demo installation, and the real launcher
# started in it. Source it, then call e2e_start.
set -euo pipefail

: "${LAUNCHER:?path of the vornhale-launcher binary}"
: "${DEMO:?path of the demo installation}"

E2E_PIDS=()
GAME=""

# Runs the test again in a network of its own with only a loopback
# interface, where one can be made (as root): the games it hosts then ask no
# real router to forward their ports, and its ports never meet those of
# another run. Call it first, with the test's arguments. X is still reached
# through its socket file.
e2e_own_network() {
    [ -z "${E2E_OWN_NETWORK:-}" ] && [ "$(id -u)" = 0 ] && command -v ip >/dev/null &&
        unshare --net true 2>/dev/null || return 0
    E2E_OWN_NETWORK=1 exec unshare --net bash -c 'ip link set lo up && exec bash "$@"' bash "$0" "$@"
}

e2e_cleanup() {
    local pid
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    [ -n "$GAME" ] && rm -rf "$GAME"
    [ -n "${E2E_TMP:-}" ] && rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

# Ends the test, keeping a picture of the screen for whoever reads the log.
fail() {
    local shot
    shot="/tmp/${E2E_FAILURE_PREFIX:-e2e-failure}-$(basename "$0" .sh).png"
    echo "FAIL: $*" >&2
    if [ -n "${E2E_OPENBOX_PID:-}" ] && ! kill -0 "$E2E_OPENBOX_PID" 2>/dev/null; then
        echo "    (openbox had ended: $(cat "$E2E_TMP/openbox.log"))" >&2
    fi
    if [ -n "${DISPLAY:-}" ] && command -v import >/dev/null; then
        import -window root "$shot" 2>/dev/null && echo "screen saved to $shot" >&2
    fi
    exit 1
}

# Starts Xvfb on a free display ($E2E_SCREEN, 1024x768x24 unless set) and
# openbox on it (without a window manager Qt windows get no keyboard focus),
# and copies the demo to $GAME. A loaded
# machine once left openbox unable to open a display Xvfb had just named, so
# the pair is checked and started afresh, up to three times, before a test
# gives up; the logs of the last try say why.
e2e_start_x() {
    E2E_TMP="$(mktemp -d "${TMPDIR:-/tmp}/vornhale-e2e.XXXXXX")"
    local try
    for try in 1 2 3; do
        e2e_try_x && break
        [ "$try" = 3 ] && fail "no X server with a window manager after 3 tries: $E2E_X_PROBLEM
    Xvfb: $(cat "$E2E_TMP/xvfb.log")
    openbox: $(cat "$E2E_TMP/openbox.log")"
        echo "e2e: starting X again: $E2E_X_PROBLEM" >&2
        # The previous test's server may still be letting go of its display.
        sleep 1
    done
    GAME="$E2E_TMP/game"
    cp -a "$DEMO/." "$GAME/"
}

# One try of e2e_start_x; on failure it ends what it started and leaves the
# reason in $E2E_X_PROBLEM.
e2e_try_x() {
    local fifo="$E2E_TMP/display" number="" xvfb
    rm -f "$fifo"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1024x768x24}" -nolisten tcp 3>"$fifo" >"$E2E_TMP/xvfb.log" 2>&1 &
    xvfb=$!
    E2E_PIDS+=($xvfb)
    unset E2E_OPENBOX_PID
    read -r -t 20 number <"$fifo" || true
    export DISPLAY=":$number"
    if [ -z "$number" ]; then
        E2E_X_PROBLEM="Xvfb named no display"
    elif ! e2e_wait "$xvfb" xdpyinfo; then
        E2E_X_PROBLEM="display $DISPLAY does not answer"
    else
        e2e_openbox_config
        HOME="$E2E_TMP" openbox >"$E2E_TMP/openbox.log" 2>&1 &
        E2E_OPENBOX_PID=$!
        E2E_PIDS+=($E2E_OPENBOX_PID)
        e2e_wait "$E2E_OPENBOX_PID" e2e_managed && return 0
        E2E_X_PROBLEM="openbox did not start on $DISPLAY"
        kill "$E2E_OPENBOX_PID" 2>/dev/null || true
    fi
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" "${E2E_OPENBOX_PID:-$xvfb}" 2>/dev/null || true
    unset E2E_OPENBOX_PID
    return 1
}

e2e_managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# Runs a check every tenth of a second for up to 15 seconds, while the
# process it waits for (the first argument) is still running.
e2e_wait() {
    local pid="$1"
    shift
    for _ in $(seq 150); do
        "$@" >/dev/null 2>&1 && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Runs the launcher in the current folder, as the process itself (its pid is
# the one its windows carry); the Windows tests run it in Wine.
run_launcher() { QT_QPA_PLATFORM=xcb exec "$LAUNCHER"; }

# Starts the launcher in $GAME; its pid is $LAUNCHER_PID. A watcher records
# its exit code in a file, so wait_exit works from any subshell, including
# a command substitution.
e2e_start_launcher() {
    rm -f "$E2E_TMP/launcher.pid" "$E2E_TMP/launcher.exit"
    (
        cd "$GAME"
        run_launcher >"$E2E_TMP/launcher.log" 2>&1 &
        echo $! >"$E2E_TMP/launcher.pid"
        rc=0
        wait $! || rc=$?
        echo "$rc" >"$E2E_TMP/launcher.exit.tmp"
        mv "$E2E_TMP/launcher.exit.tmp" "$E2E_TMP/launcher.exit"
    ) &
    E2E_PIDS+=($!)
    for _ in $(seq 100); do
        [ -s "$E2E_TMP/launcher.pid" ] && break
        sleep 0.05
    done
    LAUNCHER_PID="$(cat "$E2E_TMP/launcher.pid")"
    E2E_PIDS+=($LAUNCHER_PID)
}

# What the Windows tests add: openbox's own settings (read as it starts, in
# $E2E_TMP/.config/openbox), their stand-ins in the game folder, and a pause
# once the main window shows.
e2e_openbox_config() { :; }
e2e_prepare_game() { :; }
e2e_settle() { :; }

# Starts the launcher in $GAME and waits for its main window, $MAIN_WINDOW.
start_main_menu() {
    e2e_start_launcher
    MAIN_WINDOW="$(wait_window "Vornhale Launcher")"
    e2e_settle
}

e2e_start() {
    e2e_start_x
    e2e_prepare_game
    start_main_menu
}

# DOSBox and the assembler for the tests' own DOS programs; DOSBox draws
# nothing and plays nothing.
need_dosbox() {
    command -v dosbox >/dev/null || fail "dosbox is not installed (scripts/install-deps.sh installs it)"
    command -v nasm >/dev/null || fail "nasm is not installed (scripts/install-deps.sh installs it)"
    export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
}

# The player's home, launcher configuration and cache, all in scratch, with
# the player's own DOSBox configuration holding the text given, if any.
dosbox_scratch_home() {
    export HOME="$E2E_TMP/home" XDG_CONFIG_HOME="$E2E_TMP/home/.config" XDG_CACHE_HOME="$E2E_TMP/home/.cache"
    mkdir -p "$HOME"
    [ $# -gt 0 ] || return 0
    local userconf
    userconf="$(dosbox -printconf 2>/dev/null | tail -n 1)"
    case "$userconf" in "$HOME"/*) ;; *) fail "DOSBox's own configuration is not in the scratch home: $userconf" ;; esac
    printf '%s' "$1" >"$userconf"
}

# --- Network games in DOSBox ----------------------------------------------

# DOSBox is no child of ours: these are the DOSBoxes running from this
# test's scratch folder.
our_dosboxes() { pgrep -f -- "dosbox .*$E2E_TMP/" || true; }
end_our_dosboxes() { for pid in $(our_dosboxes); do kill "$pid" 2>/dev/null || true; done; }

# Assembles into $1 a DOS program that idles for $2 timer ticks (18.2 a
# second): a host's DOSBox, and so its IPX server, stays while others join.
dos_wait_program() {
    cat >"$E2E_TMP/wait.asm" <<'ASM'
        org 0x100
        mov cx, TICKS
again:  sti
        hlt
        push ds
        xor ax, ax
        mov ds, ax
        mov ax, [0x46c]
        pop ds
        cmp ax, [last]
        je again
        mov [last], ax
        loop again
        mov ax, 0x4c00
        int 0x21
last    dw 0
ASM
    nasm -f bin -D TICKS="$2" -o "$1" "$E2E_TMP/wait.asm" || fail "nasm failed"
}

# Makes the network driver of the game in $1 a DOS batch file of the other
# arguments, one a line, with WAIT (about a minute) and WAIT1 (a second)
# beside it.
net_bat() {
    local game="$1"
    shift
    [ -f "$E2E_TMP/WAIT.COM" ] || dos_wait_program "$E2E_TMP/WAIT.COM" 1092
    [ -f "$E2E_TMP/WAIT1.COM" ] || dos_wait_program "$E2E_TMP/WAIT1.COM" 18
    cp "$E2E_TMP/WAIT.COM" "$E2E_TMP/WAIT1.COM" "$game/ENGINE/"
    printf '%s\r\n' '@echo off' "$@" >"$game/ENGINE/NET.BAT"
    chmod a-x "$game/ENGINE/NET.BAT"
}

# Starts the launcher in the game folder $1 and waits for its main window.
start_in() {
    GAME="$1"
    e2e_start_launcher
    MAIN_WINDOW="$(wait_window "Vornhale Launcher")"
}
# Prints the id of the error box, waiting for it: it carries the
# application's title, as the main window ($MAIN_WINDOW) does.
error_box() {
    local id
    for _ in $(seq 150); do
        id="$(xdotool search --onlyvisible --name '^Vornhale Launcher$' 2>/dev/null | grep -vx "$MAIN_WINDOW" | head -n 1 || true)"
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    fail "no error box"
}

# Waits for the launcher to end with exit code 0.
launcher_ended() {
    rc="$(wait_exit)"
    [ "$rc" = 0 ] || fail "exit code $rc: $(cat "$E2E_TMP/launcher.log")"
}
# Waits for a file DOS writes; prints it without its CRs.
dos_file() {
    for _ in $(seq 200); do [ -s "$1" ] && break; sleep 0.1; done
    [ -s "$1" ] || fail "no $(basename "$1") from DOS; DOSBoxes: $(our_dosboxes | tr '\n' ' ')"
    sleep 0.3
    tr -d '\r' <"$1"
}

# --- A setting's way to the file: Sound Blaster picked in the audio dialog --

# Starts the settings file from no sound card and with every key definition's
# second key already empty, as every save leaves it, so that the pick is the
# only change; no CDA.DAT. Keeps the file as $E2E_TMP/before.cfg.
prepare_sound_card_pick() {
    local cfg="$GAME/ENGINE/VORNHL.CFG"
    sed -i 's/^FXDevice = 0\r$/FXDevice = 13\r/' "$cfg"
    grep -q $'^FXDevice = 13\r$' "$cfg" || fail "could not prepare the settings file"
    sed -i 's/^\([A-Za-z_]* = "[^"]*"\) "[^"]*"\r$/\1 ""\r/' "$cfg"
    rm -f "$GAME/CDA.DAT"
    cp "$cfg" "$E2E_TMP/before.cfg"
}

# Picks "Sound Blaster" with the keyboard and saves by "Return to Main Menu".
pick_sound_blaster() {
    local config audio
    press "$MAIN_WINDOW" alt+c
    config="$(wait_window "Configuration")"
    press "$config" alt+a
    audio="$(wait_window "Audio Configuration")"
    # The card list has the focus when the dialog opens: one step down from
    # "None" is "Sound Blaster"; "Ok", which Return presses, is two steps
    # back from the list.
    press "$audio" Down shift+Tab shift+Tab Return
    wait_window_gone "Audio Configuration"
    press "$config" alt+r
    wait_window_gone "Configuration"
    wait_window "Vornhale Launcher" >/dev/null
}

# Fails unless the pick changed the FXDevice line only, CR LF kept, and
# CDA.DAT is the single byte 0.
expect_sound_blaster_saved() {
    local cfg="$GAME/ENGINE/VORNHL.CFG"
    sed 's/^FXDevice = 13\r$/FXDevice = 0\r/' "$E2E_TMP/before.cfg" >"$E2E_TMP/expected.cfg"
    if ! cmp -s "$cfg" "$E2E_TMP/expected.cfg"; then
        diff "$E2E_TMP/expected.cfg" "$cfg" | cat -A >&2 || true
        fail "the settings file differs from the one expected"
    fi
    [ "$(od -An -tx1 "$GAME/CDA.DAT" 2>/dev/null | tr -d ' \n')" = "00" ] || fail "CDA.DAT is not the single byte 0"
}

# --- An IPX game for four ------------------------------------------------

# Switch the main menu to multiplayer and open the IPX or the modem dialog;
# print its id. "Play Vornhale via IPX network" and "Play Vornhale via Modem"
# have no accelerators: they are clicked.
open_ipx_dialog() { open_multiplayer_dialog 162 "IPX Network Game"; }
open_modem_dialog() { open_multiplayer_dialog 203 "Modem Game"; }
open_multiplayer_dialog() {
    press "$MAIN_WINDOW" alt+m
    sleep 0.3
    click_at "$MAIN_WINDOW" 183 "$1"
    wait_window "$2"
}

# Starts the launcher and through it the game, as "single" player or as the
# host of an IPX game ("ipx", which runs NET.BAT), and waits for the launcher
# to end.
start_game_as() {
    e2e_start_launcher
    MAIN_WINDOW="$(wait_window "Vornhale Launcher")"
    if [ "$1" = ipx ]; then
        press "$(open_ipx_dialog)" alt+s
        press "$(wait_window "Host or Join")" Return
    else
        press "$MAIN_WINDOW" alt+s
    fi
    launcher_ended
}

# Opens the IPX dialog from the multiplayer menu and starts a game for four.
start_ipx_for_four() {
    local ipx
    ipx="$(open_ipx_dialog)"
    # Name, socket, then the player list: two steps down from "2 Players".
    press "$ipx" Tab Tab Down Down
    press "$ipx" alt+s
}

# Fails unless COMMIT.DAT holds the game for four byte for byte and the
# player's name went back into the settings file.
expect_ipx_launch_file() {
    local engine="$GAME/ENGINE"
    printf '%s\r\n' "[COMMIT]" "COMMTYPE = 3" "NUMPLAYERS = 4" "PAUSE = 0" "VECTOR = ~" "SOCKETNUMBER = 0" \
        'LAUNCHNAME = "GAME.EXE"' "SHOWSTATS = 0" >"$E2E_TMP/expected.dat"
    if ! cmp -s "$engine/COMMIT.DAT" "$E2E_TMP/expected.dat"; then
        diff "$E2E_TMP/expected.dat" "$engine/COMMIT.DAT" | cat -A >&2 || true
        fail "COMMIT.DAT differs from the table"
    fi
    grep -q $'^PlayerName = "Wanderer"\r$' "$engine/VORNHL.CFG" || fail "the player name was not saved back"
}

# Prints the id of the visible window with exactly this caption, waiting for it.
wait_window() {
    local caption="$1" id
    for _ in $(seq 150); do
        id="$(xdotool search --onlyvisible --name "^${caption}\$" 2>/dev/null | head -n 1 || true)"
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    fail "no window '$caption' appeared"
}

# Waits until no visible window has this caption.
wait_window_gone() {
    local caption="$1"
    for _ in $(seq 150); do
        xdotool search --onlyvisible --name "^${caption}\$" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    fail "window '$caption' did not go away"
}

# Gives the window the keyboard and types keys into it ("alt+c", "Down", ...).
press() {
    local window="$1"
    shift
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || xdotool windowfocus --sync "$window" >/dev/null 2>&1 || true
    sleep 0.2
    xdotool key --clearmodifiers --delay 80 "$@"
}

# Clicks at x,y relative to the window's client area.
click_at() {
    local window="$1" x="$2" y="$3" button="${4:-1}"
    xdotool mousemove --window "$window" "$x" "$y" sleep 0.1 click "$button"
}

# Prints "WIDTHxHEIGHT" of a window's client area.
client_size() {
    xwininfo -id "$1" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'
}

# Fails unless the window, frame included, sits in the middle of the screen
# (to the pixel that halving an odd size leaves).
expect_centred() {
    local window="$1" name="$2" x y w h l r t b sw sh dx dy
    read -r x y w h <<<"$(xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}')"
    read -r l r t b <<<"$(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')"
    read -r sw sh <<<"$(xwininfo -root | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')"
    dx=$((2 * (x - l) + l + w + r - sw))
    dy=$((2 * (y - t) + t + h + b - sh))
    [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ] || fail "$name is off centre by $((dx / 2)),$((dy / 2)) px"
}

# Waits for the launcher to end; prints its exit code.
wait_exit() {
    for _ in $(seq 100); do
        if [ -f "$E2E_TMP/launcher.exit" ]; then
            cat "$E2E_TMP/launcher.exit"
            return 0
        fi
        sleep 0.1
    done
    fail "the launcher did not end"
}

visible_windows_of_launcher() {
    xdotool search --onlyvisible --pid "$LAUNCHER_PID" 2>/dev/null | while read -r id; do
        xdotool getwindowname "$id"
    done | grep -v '^$' || true
}
