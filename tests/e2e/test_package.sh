#!/usr/bin/env bash
# The Debian package as a player gets it: made from this build, passed by
# Debian's validators, unpacked into a scratch root, and its launcher started
# the way the desktop's menu starts it, from a folder without the game and
# with a fresh home. It asks for the game folder, refuses one without a game,
# takes and remembers the demo's, and runs the game there; the next start
# goes straight to the main menu, until the game folder is renamed.
. "${E2E_LIB:-$(dirname "$0")/lib.sh}"

source_dir="$(cd "$DEMO/.." && pwd)"
build="$(dirname "$LAUNCHER")"
until [ -f "$build/CMakeCache.txt" ]; do
    [ "$build" != / ] || fail "no build directory above $LAUNCHER"
    build="$(dirname "$build")"
done
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"

e2e_start_x

deb="$("$source_dir/scripts/package-deb.sh" --from "$build" --output "$E2E_TMP")" || fail "packaging failed"
[ "$deb" = "$E2E_TMP/vornhale-launcher_${version}_$(dpkg --print-architecture).deb" ] || fail "package is $deb"
lintian --fail-on error,warning "$deb" >"$E2E_TMP/lintian.txt" 2>&1 || fail "lintian: $(cat "$E2E_TMP/lintian.txt")"
root="$E2E_TMP/root"
dpkg -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/vornhale-launcher.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >"$E2E_TMP/appstream.txt" 2>&1 ||
    fail "AppStream: $(cat "$E2E_TMP/appstream.txt")"
grep -q '^Recommends: dosbox, xdg-utils$' <(dpkg-deb -f "$deb") || fail "Recommends: $(dpkg-deb -f "$deb" Recommends)"

# Started as from the menu: an empty folder, a fresh home.
demo="$GAME"
GAME="$E2E_TMP/empty"
LAUNCHER="$root/usr/games/vornhale-launcher"
mkdir "$GAME" "$E2E_TMP/home"
export HOME="$E2E_TMP/home" XDG_CONFIG_HOME="$E2E_TMP/home/.config"
remembered="$XDG_CONFIG_HOME/vornhale/launcher.ini"

# Types a path into the folder chooser and takes it.
choose() {
    local chooser
    chooser="$(wait_window "Choose the Vornhale folder")"
    press "$chooser" ctrl+a
    xdotool type --delay 20 "$1"
    press "$chooser" Return
    wait_window_gone "Choose the Vornhale folder"
}

e2e_start_launcher
choose "$HOME"
box="$(wait_window "Vornhale Launcher")"
[ "$(client_size "$box")" != 367x467 ] || fail "a folder without a game was taken"
[ ! -e "$remembered" ] || fail "a folder without a game was remembered"
press "$box" Return
choose "$demo"
MAIN_WINDOW="$(wait_window "Vornhale Launcher")"
[ "$(client_size "$MAIN_WINDOW")" = 367x467 ] || fail "main menu is $(client_size "$MAIN_WINDOW")"
grep -qxF "GameFolder=$demo" "$remembered" || fail "remembered: $(cat "$remembered")"
press "$MAIN_WINDOW" alt+s
[ "$(wait_exit)" = 0 ] || fail "exit code after the game's start"
for _ in $(seq 100); do [ -s "$demo/LASTRUN.TXT" ] && break; sleep 0.1; done
[ "$(head -n 1 "$demo/LASTRUN.TXT")" = "Vornhale would start now in: $demo" ] || fail "LASTRUN.TXT: $(cat "$demo/LASTRUN.TXT")"
[ -z "$(ls -A "$GAME")" ] || fail "the launcher left files where it was started: $(ls -A "$GAME")"

# Remembered: straight to the main menu.
e2e_start_launcher
MAIN_WINDOW="$(wait_window "Vornhale Launcher")"
[ "$(client_size "$MAIN_WINDOW")" = 367x467 ] || fail "second start showed $(client_size "$MAIN_WINDOW")"
press "$MAIN_WINDOW" alt+x
[ "$(wait_exit)" = 0 ] || fail "exit code after Exit"

# The game folder renamed: the chooser again; cancelling it ends the launcher.
mv "$demo" "$demo-moved"
e2e_start_launcher
chooser="$(wait_window "Choose the Vornhale folder")"
press "$chooser" Escape
[ "$(wait_exit)" = 0 ] || fail "exit code after cancelling the chooser"
echo "passed"
