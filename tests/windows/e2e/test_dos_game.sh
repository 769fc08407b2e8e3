#!/usr/bin/env bash
# A DOS VORNHALE.EXE (an MZ program with no PE header), which 64-bit Windows
# cannot run, under the .exe in Wine: with DOSBox installed under
# "Program Files (x86)" (a stand-in that records its command line) the
# launcher starts "DOSBox.exe GAME\VORNHALE.EXE -exit" with the PC the
# settings name in its configuration, and ends, an IPX
# game hosted from the launcher starts NET.BAT in DOSBox with the IPX server
# first, and a modem game waiting for a call starts it with DOSBox's modem,
# after the window that says where the other player calls; with no DOSBox
# anywhere it shows "Cannot start VORNHALE.EXE: ..."
# and stays open.
. "$(dirname "$0")/lib.sh"
e2e_own_network "$@"

dosbox_dir="$WINEPREFIX/drive_c/Program Files (x86)/DOSBox-0.74-3"
trap 'rm -rf "$dosbox_dir"; wine_cleanup' EXIT

# Starts the game through the hosting window $1, saved as $2.png once the
# router's answer shows; prints the arguments DOSBox got after its name.
host_through() {
    local window rc
    rm -f "$dosbox_dir/DOSBox.RUN"
    window="$(wait_window "$1")"
    sleep 2.5
    [ -n "${VORNHALE_WIN_SHOTS:-}" ] && screenshot "$window" "$VORNHALE_WIN_SHOTS/$2.png"
    press "$window" Return
    rc="$(wait_exit)"
    [ "$rc" = 0 ] || fail "exit code $rc"
    stand_in_record "$dosbox_dir/DOSBox.RUN" | sed -n '4,$p'
}
# The launcher's network settings among DOSBox's arguments $1, as a Unix path.
network_settings() { winepath -u "$(grep -x -A1 -- -conf <<<"$1" | sed -n 2p)" 2>/dev/null; }

e2e_start_x
wine_game
# A DOS program of one instruction (int 20h, end) behind a 32-byte MZ header.
printf 'MZ\x22\x00\x01\x00\x00\x00\x02\x00\x00\x00\xff\xff\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x1c\x00\x00\x00\x00\x00\x00\x00\xcd\x20' \
    >"$GAME/VORNHALE.EXE"
mkdir -p "$dosbox_dir"
cp "$STAND_INS/program_stand_in.exe" "$dosbox_dir/DOSBox.exe"

start_main_menu
press "$MAIN_WINDOW" alt+s
rc="$(wait_exit)"
[ "$rc" = 0 ] || fail "exit code $rc"
record="$(stand_in_record "$dosbox_dir/DOSBox.RUN")"
game_exe="$(win_path "$GAME")\\VORNHALE.EXE"
# Arguments: the launcher's configuration after the player's own, the
# program (as the launcher names it, in any case), then -exit.
[ "$(sed -n 4,5p <<<"$record" | tr '\n' ' ')" = "-userconf -conf " ] &&
    [ "$(sed -n 7p <<<"$record" | tr a-z A-Z)" = "$(tr a-z A-Z <<<"$game_exe")" ] &&
    [ "$(sed -n 8,\$p <<<"$record")" = "-exit" ] || fail "DOSBox was started with: $(sed -n 1p <<<"$record")"
# The PC the demo's settings name: a Sound Blaster at 220, IRQ 5, DMA 1 and
# 5 (and no Gravis card), played with keyboard and mouse, shown in a 4:3
# window of most of the 1024 x 768 screen. The stand-in's output reaches the
# log; DOSBox 0.74 itself writes to a console of its own.
printf '[gus]\ngus=false\n[sblaster]\nsbtype=sb16\nsbbase=220\nirq=5\ndma=1\nhdma=5\n[joystick]\njoysticktype=none\n%s\n' \
    $'[sdl]\nfullscreen=false\nfullresolution=desktop\nwindowresolution=868x651\noutput=opengl\n[render]\naspect=true' >"$E2E_TMP/hardware"
sed 1d "$dosbox_dir/DOSBox.CONF" | cmp -s - "$E2E_TMP/hardware" || fail "DOSBox was given: $(cat "$dosbox_dir/DOSBox.CONF")"
grep -q 'stand-in ran' "$(winepath -u "$(sed -n 6p <<<"$record" | sed 's/[^\\]*$//')dosbox.log")" ||
    fail "DOSBox's output was not kept beside its configuration"

# An IPX game hosted here: Return takes the proposed answer, hosting. DOSBox
# gets the launcher's network settings and starts the server before NET.BAT.
start_main_menu
start_ipx_for_four
args="$(host_through "Host or Join" host-or-join)"
grep -qx 'ipx=true' "$(network_settings "$args")" || fail "DOSBox's network settings set up no IPX: $args"
[ "$(grep -x -A1 -- -c <<<"$args" | sed -n 2p)" = "IPXNET STARTSERVER 21300" ] &&
    [ "$(tail -n 2 <<<"$args" | tr a-z A-Z)" = "$(tr a-z A-Z <<<"$(win_path "$GAME/ENGINE")\NET.BAT")"$'\n-EXIT' ] ||
    fail "DOSBox was started with: $args"
expect_ipx_launch_file

# A modem game waiting for a call: first the window saying where the other
# player calls, then DOSBox with its modem answering on TCP port 23000.
start_main_menu
press "$(open_modem_dialog)" alt+w
args="$(host_through "Wait For Call" wait-for-call)"
grep -qx 'serial2=modem listenport:23000' "$(network_settings "$args")" ||
    fail "DOSBox's network settings set up no modem on COM2: $args"

# No DOSBox anywhere: the error box, and the launcher stays.
rm -rf "$dosbox_dir"
start_main_menu
press "$MAIN_WINDOW" alt+s
box="$(wait_error_box)"
[ -n "${VORNHALE_WIN_SHOTS:-}" ] && screenshot "$box" "$VORNHALE_WIN_SHOTS/error-no-dosbox.png"
text="$(message_box_text "$box")"
grep -q '^Cannot start VORNHALE.EXE: .*DOSBox' <<<"$text" || fail "the box said: $text"
press "$box" Return
for _ in $(seq 50); do
    [ "$(xdotool search --onlyvisible --name '^Vornhale Launcher$' | wc -l)" = 1 ] && break
    sleep 0.1
done
[ "$(visible_windows_of_launcher)" = "Vornhale Launcher" ] || fail "visible windows: $(visible_windows_of_launcher)"
[ ! -f "$E2E_TMP/launcher.exit" ] || fail "the launcher ended"
press "$MAIN_WINDOW" alt+x
rc="$(wait_exit)"
[ "$rc" = 0 ] || fail "exit code $rc"
echo "passed"
