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
# The player's own configuration: a speed, a Sound Blaster the game's
# settings will move, and DOSBox's Gravis card, which at its port 240 would
# hide a Sound Blaster there.
dosbox_scratch_home $'[cpu]\ncycles=1234\n[sblaster]\nirq=7\ndma=1\n[gus]\ngus=true\n'
# DOSBox is no child of ours; a game in a folder it cannot mount runs from
# the launcher's cache, which lies in scratch too.
trap 'end_our_dosboxes; e2e_cleanup' EXIT

nasm -f bin -o "$E2E_TMP/SBPROBE.COM" "$(dirname "$0")/dos/sbprobe.asm" || fail "nasm failed"
# The game is the probe; NET.BAT runs it too, then reports DOSBox's speed
# and joystick.
cp "$E2E_TMP/SBPROBE.COM" "$GAME/VORNHALE.EXE"
cp "$E2E_TMP/SBPROBE.COM" "$GAME/ENGINE/SBPROBE.COM"
printf '%s\r\n' '@echo off' 'SBPROBE' 'config -get cpu cycles > CYCLES.TXT' \
    'config -get joystick joysticktype > JOY.TXT' >"$GAME/ENGINE/NET.BAT"
chmod a-x "$GAME/VORNHALE.EXE" "$GAME/ENGINE/NET.BAT"

# Waits for a report DOS writes; prints it without its CRs.
report() {
    for _ in $(seq 300); do [ -s "$1" ] && break; sleep 0.1; done
    [ -s "$1" ] || fail "no $(basename "$1") from DOS; DOSBox said: $(tail -n 5 "$XDG_CACHE_HOME/vornhale/dosbox.log" 2>/dev/null)"
    sleep 0.3
    tr -d '\r' <"$1"
}

# Sets the settings file's card, port, IRQ, channels and control method,
# starts the game ("single" player, or an "ipx" game it hosts), and fails
# unless DOS found the card there.
probe() {
    local start="$1" port="$2" irq="$3" dma8="$4" dma16="$5" method="$6" folder="$GAME" got at="$3"
    # IRQ 2 reaches DOSBox as an AT's IRQ 9, which a handler of either sees.
    [ "$irq" = 2 ] && at=9
    sed -i "s/^FXDevice = .*\r\$/FXDevice = 0\r/; s/^BlasterAddress = .*\r\$/BlasterAddress = 0x$port\r/;
            s/^BlasterInterrupt = .*\r\$/BlasterInterrupt = $irq\r/; s/^BlasterDma8 = .*\r\$/BlasterDma8 = $dma8\r/;
            s/^BlasterDma16 = .*\r\$/BlasterDma16 = $dma16\r/; s/^ControllerType = .*\r\$/ControllerType = $method\r/" \
        "$GAME/ENGINE/VORNHL.CFG"
    [ "$start" = ipx ] && folder="$GAME/ENGINE"
    rm -f "$folder/SBPROBE.TXT" "$folder/CYCLES.TXT" "$folder/JOY.TXT"
    start_game_as "$start"
    got="$(report "$folder/SBPROBE.TXT")"
    [ "$got" = "BLASTER=A$port I$at D$dma8 H$dma16 T6
DSP $port
IRQ $at
DMA8 $dma8
DMA16 $dma16" ] || fail "$start, $port/$irq/$dma8/$dma16: DOS found
$got"
}

# Single Player loads nothing, so the file decides.
probe single 240 10 3 7 1
grep -q . "$XDG_CACHE_HOME/vornhale/dosbox.log" || fail "DOSBox's output was not kept"

# IRQ 2, in a folder whose name DOSBox's mount command cannot take, and
# whose line break would end DOSBox's command and run the rest as commands.
odd="$E2E_TMP/Vornhale \"Gold\" 100%"$'\nmount e .\necho pwned>e:\\PWNED.TXT\n'
mv "$GAME" "$odd"
GAME="$odd"
probe single 220 2 0 6 1
[ -z "$(find "$E2E_TMP" -iname PWNED.TXT)" ] || fail "DOSBox ran commands from the folder's name"

# An IPX game played with a joystick, with a dosbox.conf beside NET.BAT.
printf '[cpu]\ncycles=2345\n[sblaster]\nirq=5\n' >"$GAME/ENGINE/dosbox.conf"
probe ipx 280 15 1 5 2
[ "$(report "$GAME/ENGINE/CYCLES.TXT")" = 2345 ] || fail "the dosbox.conf beside NET.BAT was not loaded"
[ "$(report "$GAME/ENGINE/JOY.TXT")" = auto ] || fail "a joystick game lost its joystick: $(cat "$GAME/ENGINE/JOY.TXT")"

# Played with keyboard and mouse, DOSBox has no joystick; without a
# dosbox.conf beside NET.BAT, the player's own speed applies.
rm "$GAME/ENGINE/dosbox.conf"
probe ipx 260 5 3 5 1
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
