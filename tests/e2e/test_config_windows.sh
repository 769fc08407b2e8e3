#!/usr/bin/env bash
# The configuration menu's windows in the real launcher: each opens from the
# keyboard with its fixed client area, centred with its frame at every
# showing, the help shows SETUPHLP.TXT, and a missing help file gives the
# error box while the audio dialog stays usable.
. "${E2E_LIB:-$(dirname "$0")/lib.sh}"

e2e_start
before="$(md5sum "$GAME/ENGINE/VORNHL.CFG")"

expect_size() {
    local size
    size="$(client_size "$1")"
    [ "$size" = "$2" ] || fail "$3 has a client area of $size, not $2"
}

press "$MAIN_WINDOW" alt+c
config="$(wait_window "Configuration")"
expect_size "$config" 361x466 "the configuration menu"
expect_centred "$config" "the configuration menu"

# At the first showing the resolution has the focus and "Ok" is next; the
# second showing brings the focus back to "Ok".
for keys in "Tab Return" "Return"; do
    press "$config" alt+v
    video="$(wait_window "Video Mode")"
    expect_size "$video" 158x200 "the video dialog"
    expect_centred "$video" "the video dialog (then $keys)"
    # shellcheck disable=SC2086
    press "$video" $keys
    wait_window_gone "Video Mode"
done

press "$config" alt+a
audio="$(wait_window "Audio Configuration")"
expect_size "$audio" 431x248 "the audio dialog"
press "$audio" alt+h
viewer="$(wait_window "File Viewer")"
expect_size "$viewer" 509x312 "the file viewer"
# The memo takes Tab as a move to "Ok", so the viewer closes from the keyboard.
press "$viewer" Tab space
wait_window_gone "File Viewer"

# Without the help file the error box comes up; the main window is hidden,
# so the only window with the application title is the box.
mv "$GAME/SETUPHLP.TXT" "$E2E_TMP/"
press "$audio" alt+h
box="$(wait_window "Vornhale Launcher")"
press "$box" Return
wait_window_gone "Vornhale Launcher"
xdotool search --onlyvisible --name '^File Viewer$' >/dev/null 2>&1 && fail "the viewer came up without a help file"
# Still usable: the help works again once the file is back.
mv "$E2E_TMP/SETUPHLP.TXT" "$GAME/"
press "$audio" alt+h
viewer="$(wait_window "File Viewer")"
press "$viewer" Escape
wait_window_gone "File Viewer"
# From the card list, "Ok" is two steps back.
press "$audio" shift+Tab shift+Tab Return
wait_window_gone "Audio Configuration"

press "$config" alt+F4
wait_window_gone "Configuration"
wait_window "Vornhale Launcher" >/dev/null
[ "$(md5sum "$GAME/ENGINE/VORNHL.CFG")" = "$before" ] || fail "the settings file changed without a save"

press "$MAIN_WINDOW" alt+x
rc="$(wait_exit)"
[ "$rc" = 0 ] || fail "exit code $rc"
echo "passed"
