# Shared by the Windows end-to-end tests: the real vornhale-launcher.exe under
# Wine, copied into a scratch copy of the demo installation whose stand-ins
# are small Windows programs, on a private X server with openbox. The X
# helpers are the native end-to-end tests' own: Wine's windows carry Qt's
# captions and take xdotool's input like any other.
#
# scripts/test-windows-e2e.sh makes the Wine prefix once per run and sets
# LAUNCHER, DEMO, STAND_INS and WINEPREFIX; every test ends all Wine
# processes of that prefix when it finishes. Source this, then call
# e2e_start (or e2e_start_x, wine_game and start_main_menu). The native
# tests that hold on Windows as they are run here too, with this library in
# place of their own (E2E_LIB).
: "${STAND_INS:?folder of program_stand_in.exe}"
: "${WINEPREFIX:?the Wine prefix made by scripts/test-windows-e2e.sh}"
. "$(dirname "${BASH_SOURCE[0]}")/../../e2e/lib.sh"

wine_cleanup() {
    wineserver -k 2>/dev/null || true
    e2e_cleanup
}
trap wine_cleanup EXIT

E2E_FAILURE_PREFIX=e2e-failure-windows

# Title bars that carry the icon, the caption and a close box only, as the
# launcher's fixed-size windows have on Windows: openbox's iconify and
# maximise buttons would leave their captions too little room in the
# screenshots. openbox reads this as it starts: after a reconfigure sent to
# it once running, a loaded run was once found with no window manager.
e2e_openbox_config() {
    mkdir -p "$E2E_TMP/.config/openbox"
    sed 's|<titleLayout>.*</titleLayout>|<titleLayout>NLC</titleLayout>|' /etc/xdg/openbox/rc.xml \
        >"$E2E_TMP/.config/openbox/rc.xml"
}

# The Windows name of a file or folder under the Unix root (Wine's Z:).
win_path() {
    local path
    path="$(realpath -m "$1")"
    printf 'Z:%s' "${path//\//\\}"
}

# Puts the launcher into $GAME, where a player copies it, and the stand-ins in
# place of the game and of the network driver: VORNHALE.EXE and
# ENGINE\NETDRV.EXE, which ENGINE\NET.BAT calls through Wine's cmd.
wine_game() {
    cp "$LAUNCHER" "$GAME/vornhale-launcher.exe"
    cp "$STAND_INS/program_stand_in.exe" "$GAME/VORNHALE.EXE"
    cp "$STAND_INS/program_stand_in.exe" "$GAME/ENGINE/NETDRV.EXE"
    printf '@echo off\r\nNETDRV.EXE\r\n' >"$GAME/ENGINE/NET.BAT"
}

# The launcher copied into $GAME, in Wine; as in the native library, its pid
# is $LAUNCHER_PID (the pid Wine's windows carry) and wait_exit reads its
# exit code.
run_launcher() { exec wine vornhale-launcher.exe; }

# Every start has the stand-ins in the game folder. Wine takes a moment after
# the main window shows before keys reach it: an Alt+S pressed at once was
# now and then lost.
e2e_prepare_game() { wine_game; }
e2e_settle() { sleep 1; }

# Prints a stand-in's record (NAME.RUN beside it: command line, current
# directory, arguments) once it has appeared, with the CRs taken off.
stand_in_record() {
    local record="$1"
    for _ in $(seq 100); do
        [ -f "$record" ] && break
        sleep 0.1
    done
    [ -f "$record" ] || fail "no $(basename "$record"): the stand-in did not run"
    tr -d '\r' <"$record"
}

# Prints the text of the message box with this window id: Ctrl+C in a Qt
# message box on Windows copies the whole box (caption, text, buttons) to the
# clipboard, which Wine shares with X.
message_box_text() {
    local box="$1" text=""
    printf '' | xclip -selection clipboard -i
    for _ in $(seq 20); do
        press "$box" ctrl+c
        text="$(xclip -selection clipboard -o 2>/dev/null | tr -d '\r' || true)"
        [ -n "$text" ] && break
        sleep 0.2
    done
    printf '%s\n' "$text"
}

# Saves the window with this id, frame and caption included, as a PNG.
screenshot() {
    local window="$1" out="$2" frame root
    root="$(xwininfo -root | awk '/Window id/ {print $4}')"
    frame="$(xwininfo -id "$window" -children | awk '/Parent window id/ {print $4}')"
    [ -n "$frame" ] && [ "$frame" != "$root" ] && window="$frame"
    sleep 0.3
    import -window "$window" "$out"
}

# Prints the id of the error box: a window with the application title other
# than the main window, waiting for it.
wait_error_box() {
    local id
    for _ in $(seq 150); do
        id="$(xdotool search --onlyvisible --name '^Vornhale Launcher$' 2>/dev/null | grep -vx "${MAIN_WINDOW:-none}" | head -n 1 || true)"
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    fail "no error box appeared"
}
