# Shared by the end-to-end tests: a private X server with a small window
# manager, a scratch copy of the demo installation, and the real launcher
# started in it. Source it, then call e2e_start.
set -euo pipefail

: "${LAUNCHER:?path of the vornhale-launcher binary}"
: "${DEMO:?path of the demo installation}"

E2E_PIDS=()
GAME=""

e2e_cleanup() {
    local pid
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    [ -n "$GAME" ] && rm -rf "$GAME"
    [ -n "${E2E_TMP:-}" ] && rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [ -n "${DISPLAY:-}" ] && command -v import >/dev/null; then
        import -window root "/tmp/e2e-failure-$(basename "$0" .sh).png" 2>/dev/null || true
        echo "screen saved to /tmp/e2e-failure-$(basename "$0" .sh).png" >&2
    fi
    exit 1
}

# Starts Xvfb on a free display and openbox on it (without a window manager
# Qt windows get no keyboard focus), and copies the demo to $GAME.
e2e_start_x() {
    E2E_TMP="$(mktemp -d "${TMPDIR:-/tmp}/vornhale-e2e.XXXXXX")"
    local fifo="$E2E_TMP/display"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    E2E_PIDS+=($!)
    local number
    read -r -t 20 number <"$fifo" || fail "Xvfb did not start"
    export DISPLAY=":$number"
    HOME="$E2E_TMP" openbox >/dev/null 2>&1 &
    E2E_PIDS+=($!)
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.1
    done
    GAME="$E2E_TMP/game"
    cp -a "$DEMO/." "$GAME/"
}

# Starts the launcher in $GAME; its pid is $LAUNCHER_PID. A watcher records
# its exit code in a file, so wait_exit works from any subshell, including
# a command substitution.
e2e_start_launcher() {
    rm -f "$E2E_TMP/launcher.pid" "$E2E_TMP/launcher.exit"
    (
        cd "$GAME"
        QT_QPA_PLATFORM=xcb "$LAUNCHER" >"$E2E_TMP/launcher.log" 2>&1 &
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

e2e_start() {
    e2e_start_x
    e2e_start_launcher
    MAIN_WINDOW="$(wait_window "Vornhale Launcher")"
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
