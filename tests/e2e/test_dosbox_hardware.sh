#!/usr/bin/env bash
# The PC DOSBox emulates is the one the game's settings name. A DOS program
# of our own (dos/sbprobe.asm) runs as the game through "&Single Player",
# and inside NET.BAT through an IPX start, with the real DOSBox, headless;
# it reports the BLASTER variable, the port whose DSP resets, the interrupt
# DSP command F2h raises and the DMA channels whose transfers end in it.
# The player's own DOSBox settings, and a dosbox.conf beside NET.BAT, still
# apply where the launcher sets nothing; DOSBox's output is kept in a log.
# A game folder whose name DOSBox cannot mount still starts.
. "${E2E_LIB:-$(dirname "$0")/lib.sh}"
e2e_own_network "$@"

need_dosbox
e2e_start_x
export HOME="$E2E_TMP/home" XDG_CONFIG_HOME="$E2E_TMP/home/.config" XDG_CACHE_HOME="$E2E_TMP/home/.cache"
mkdir -p "$HOME"
# DOSBox is no child of ours; a game in a folder it cannot mount runs from
# the launcher's cache, which lies in scratch too.
trap 'end_our_dosboxes; e2e_cleanup' EXIT

# The player's own configuration: a speed, and a Sound Blaster the game's
# settings will move.
userconf="$(dosbox -printconf 2>/dev/null | tail -n 1)"
case "$userconf" in "$HOME"/*) ;; *) fail "DOSBox's own configuration is not in the scratch home: $userconf" ;; esac
printf '[cpu]\ncycles=1234\n[sblaster]\nirq=7\ndma=1\n' >"$userconf"

nasm -f bin -o "$E2E_TMP/SBPROBE.COM" "$(dirname "$0")/dos/sbprobe.asm" || fail "nasm failed"

# Sets the settings file's audio keys and control method.
settings() {
    local port="$1" irq="$2" dma8="$3" dma16="$4" method="$5" cfg="$GAME/ENGINE/VORNHL.CFG"
    sed -i "s/^FXDevice = .*\r\$/FXDevice = 0\r/; s/^BlasterAddress = .*\r\$/BlasterAddress = $port\r/;
            s/^BlasterInterrupt = .*\r\$/BlasterInterrupt = $irq\r/; s/^BlasterDma8 = .*\r\$/BlasterDma8 = $dma8\r/;
            s/^BlasterDma16 = .*\r\$/BlasterDma16 = $dma16\r/; s/^ControllerType = .*\r\$/ControllerType = $method\r/" "$cfg"
}
# Waits for the report DOS writes; prints it without its CRs.
report() {
    for _ in $(seq 300); do [ -s "$1" ] && break; sleep 0.1; done
    [ -s "$1" ] || fail "no $(basename "$1") from DOS; DOSBox said: $(cat "$XDG_CACHE_HOME/vornhale/dosbox.log" 2>/dev/null | tail -n 5)"
    sleep 0.3
    tr -d '\r' <"$1"
}
expect_report() {
    local got
    got="$(report "$1")"
    [ "$got" = "$2" ] || fail "$3: DOS found
$got
instead of
$2"
}
single_player() {
    rm -f "$GAME/SBPROBE.TXT"
    e2e_start_launcher
    MAIN_WINDOW="$(wait_window "Vornhale Launcher")"
    press "$MAIN_WINDOW" alt+s
    launcher_ended
}

# The game is the probe; Single Player loads nothing, so the file decides.
cp "$E2E_TMP/SBPROBE.COM" "$GAME/VORNHALE.EXE"
chmod a-x "$GAME/VORNHALE.EXE"
settings 0x240 10 3 7 1
single_player
expect_report "$GAME/SBPROBE.TXT" "BLASTER=A240 I10 D3 H7 T6
DSP 240
IRQ 10
DMA8 3
DMA16 7" "single player, 240/10/3/7"
grep -q . "$XDG_CACHE_HOME/vornhale/dosbox.log" || fail "DOSBox's output was not kept"

# IRQ 2, which DOSBox raises as IRQ 9 and the BIOS hands on, in a folder
# whose name DOSBox's mount command cannot take.
odd="$E2E_TMP/Vornhale \"Gold\" 100%"
mv "$GAME" "$odd"
GAME="$odd"
settings 0x220 2 0 6 1
single_player
expect_report "$GAME/SBPROBE.TXT" "BLASTER=A220 I2 D0 H6 T6
DSP 220
IRQ 2
DMA8 0
DMA16 6" "single player in \"$GAME\", 220/2/0/6"

# An IPX game: NET.BAT runs the probe and reports DOSBox's settings, with a
# dosbox.conf of its own beside it, and the game played with a joystick.
cp "$E2E_TMP/SBPROBE.COM" "$GAME/ENGINE/SBPROBE.COM"
printf '%s\r\n' '@echo off' 'SBPROBE' 'config -get cpu cycles > CYCLES.TXT' \
    'config -get joystick joysticktype > JOY.TXT' >"$GAME/ENGINE/NET.BAT"
chmod a-x "$GAME/ENGINE/NET.BAT"
printf '[cpu]\ncycles=2345\n[sblaster]\nirq=5\n' >"$GAME/ENGINE/dosbox.conf"
run_net_bat() {
    rm -f "$GAME/ENGINE/SBPROBE.TXT" "$GAME/ENGINE/CYCLES.TXT" "$GAME/ENGINE/JOY.TXT"
    e2e_start_launcher
    MAIN_WINDOW="$(wait_window "Vornhale Launcher")"
    ipx="$(open_ipx_dialog)"
    press "$ipx" alt+s
    press "$(wait_window "Host or Join")" Return
    launcher_ended
}
settings 0x280 15 1 5 2
run_net_bat
expect_report "$GAME/ENGINE/SBPROBE.TXT" "BLASTER=A280 I15 D1 H5 T6
DSP 280
IRQ 15
DMA8 1
DMA16 5" "IPX game, 280/15/1/5"
[ "$(report "$GAME/ENGINE/CYCLES.TXT")" = 2345 ] || fail "the dosbox.conf beside NET.BAT was not loaded"
[ "$(report "$GAME/ENGINE/JOY.TXT")" = auto ] || fail "a joystick game lost its joystick: $(cat "$GAME/ENGINE/JOY.TXT")"

# Played with keyboard and mouse, DOSBox has no joystick; without a
# dosbox.conf beside NET.BAT, the player's own speed applies.
rm "$GAME/ENGINE/dosbox.conf"
settings 0x260 5 3 5 1
run_net_bat
expect_report "$GAME/ENGINE/SBPROBE.TXT" "BLASTER=A260 I5 D3 H5 T6
DSP 260
IRQ 5
DMA8 3
DMA16 5" "IPX game, 260/5/3/5"
[ "$(report "$GAME/ENGINE/CYCLES.TXT")" = 1234 ] || fail "the player's own DOSBox speed was lost"
[ "$(report "$GAME/ENGINE/JOY.TXT")" = none ] || fail "DOSBox kept a joystick: $(cat "$GAME/ENGINE/JOY.TXT")"

# A modem game on COM6, which DOSBox lacks, starts nothing and saves
# nothing: the error box says why, and the launcher stays with its dialog.
sed -i 's/^ComPort = .*\r$/ComPort = 6\r/' "$GAME/ENGINE/VORNHL.CFG"
cp "$GAME/ENGINE/VORNHL.CFG" "$E2E_TMP/before.cfg"
rm -f "$GAME/ENGINE/COMMIT.DAT"
e2e_start_launcher
MAIN_WINDOW="$(wait_window "Vornhale Launcher")"
modem="$(open_modem_dialog)"
press "$modem" alt+w
press "$(error_box)" Return
sleep 0.5
xdotool search --onlyvisible --name '^Modem Game$' >/dev/null || fail "the modem dialog closed"
[ ! -f "$E2E_TMP/launcher.exit" ] || fail "the launcher ended"
[ ! -e "$GAME/ENGINE/COMMIT.DAT" ] && cmp -s "$GAME/ENGINE/VORNHL.CFG" "$E2E_TMP/before.cfg" ||
    fail "a modem game on COM6 wrote its files"
[ -z "$(our_dosboxes)" ] || fail "DOSBox started for a modem game on COM6"
echo "passed"
