#!/usr/bin/env bash
# DOS programs through DOSBox, headless: a tiny DOS game of our own (a .COM
# image named VORNHALE.EXE, without the executable bit) leaves its marker
# after "&Single Player", and an IPX start runs a DOS batch ENGINE/NET.BAT
# that leaves its marker beside COMMIT.DAT. DOSBox ends with the program.
# Without DOSBox neither can start: the error box says so and the launcher
# stays, with the IPX dialog still open.
. "${E2E_LIB:-$(dirname "$0")/lib.sh}"
e2e_own_network "$@"

need_dosbox
# DOSBox keeps its settings in scratch.
e2e_start_x
export HOME="$E2E_TMP" XDG_CONFIG_HOME="$E2E_TMP/.config" XDG_CACHE_HOME="$E2E_TMP/.cache"

# Creates GAMERUN.TXT in its current directory (DOSBox's C:, the game's
# directory) through DOS itself, then ends.
cat >"$E2E_TMP/game.asm" <<'ASM'
        org 0x100
        mov ah, 0x3c            ; create file
        xor cx, cx
        mov dx, marker
        int 0x21
        jc done
        mov bx, ax
        mov ah, 0x40            ; write
        mov cx, text_length
        mov dx, text
        int 0x21
        mov ah, 0x3e            ; close
        int 0x21
done:   mov ax, 0x4c00          ; end with code 0
        int 0x21
marker  db "GAMERUN.TXT", 0
text    db "DOS game ran", 13, 10
text_length equ $ - text
ASM
rm -f "$GAME/VORNHALE.EXE"
nasm -f bin -o "$GAME/VORNHALE.EXE" "$E2E_TMP/game.asm" || fail "nasm failed"
chmod a-x "$GAME/VORNHALE.EXE"

# Marks the launch file it found beside itself.
printf '@echo off\r\nif exist COMMIT.DAT echo beside COMMIT.DAT> NETRUN.TXT\r\n' >"$GAME/ENGINE/NET.BAT"
chmod a-x "$GAME/ENGINE/NET.BAT"

# DOSBox is no child of ours: whatever still runs from this scratch copy goes
# with it, before the copy is removed.
trap 'end_our_dosboxes; e2e_cleanup' EXIT

# Waits for a file DOS writes, then for DOSBox running `program` to end.
dos_left() {
    local file="$1" program="$2" pids=""
    for _ in $(seq 200); do [ -s "$file" ] && break; sleep 0.1; done
    [ -s "$file" ] || fail "no $(basename "$file") from DOS; launcher log: $(tr '\n' ' ' <"$E2E_TMP/launcher.log" | tail -c 600)"
    for _ in $(seq 100); do
        pids="$(pgrep -f -- "dosbox .*$program -exit" || true)"
        [ -z "$pids" ] && return 0
        sleep 0.1
    done
    fail "DOSBox kept running after $(basename "$program") ended"
}

# Single player.
e2e_start_launcher
MAIN_WINDOW="$(wait_window "Vornhale Launcher")"
press "$MAIN_WINDOW" alt+s
launcher_ended
dos_left "$GAME/GAMERUN.TXT" "$GAME/VORNHALE.EXE"
[ "$(cat "$GAME/GAMERUN.TXT")" = $'DOS game ran\r' ] || fail "GAMERUN.TXT: $(cat "$GAME/GAMERUN.TXT")"

# An IPX game: the network driver is a DOS batch file in ENGINE.
e2e_start_launcher
MAIN_WINDOW="$(wait_window "Vornhale Launcher")"
press "$MAIN_WINDOW" alt+m
sleep 0.3
# "Play Vornhale via IPX network" has no accelerator: click it.
click_at "$MAIN_WINDOW" 183 162
ipx="$(wait_window "IPX Network Game")"
press "$ipx" alt+s
# In DOSBox the game is hosted or joined; hosting is proposed.
press "$(wait_window "Host or Join")" Return
launcher_ended
dos_left "$GAME/ENGINE/NETRUN.TXT" "$GAME/ENGINE/NET.BAT"
[ "$(cat "$GAME/ENGINE/NETRUN.TXT")" = $'beside COMMIT.DAT\r' ] || fail "NETRUN.TXT: $(cat "$GAME/ENGINE/NETRUN.TXT")"

# No DOSBox on the launcher's PATH.
rm -f "$GAME/GAMERUN.TXT" "$GAME/ENGINE/NETRUN.TXT" "$GAME/ENGINE/COMMIT.DAT"
mkdir -p "$E2E_TMP/nobin"
printf '#!/bin/sh\nPATH="%s" exec "%s"\n' "$E2E_TMP/nobin" "$LAUNCHER" >"$E2E_TMP/launcher-without-dosbox"
chmod +x "$E2E_TMP/launcher-without-dosbox"
LAUNCHER="$E2E_TMP/launcher-without-dosbox"

still_running() {
    sleep 0.5
    [ -f "$E2E_TMP/launcher.exit" ] && fail "the launcher ended: $1"
    return 0
}

e2e_start_launcher
MAIN_WINDOW="$(wait_window "Vornhale Launcher")"
press "$MAIN_WINDOW" alt+s
box="$(error_box)"
still_running "single player without DOSBox"
press "$box" Return
for _ in $(seq 50); do [ "$(visible_windows_of_launcher | wc -l)" = 1 ] && break; sleep 0.1; done
[ "$(visible_windows_of_launcher)" = "Vornhale Launcher" ] || fail "windows left: $(visible_windows_of_launcher)"

press "$MAIN_WINDOW" alt+m
sleep 0.3
click_at "$MAIN_WINDOW" 183 162
ipx="$(wait_window "IPX Network Game")"
press "$ipx" alt+s
box="$(error_box)"
still_running "IPX without DOSBox"
press "$box" Return
sleep 0.5
xdotool search --onlyvisible --name '^IPX Network Game$' >/dev/null 2>&1 || fail "the IPX dialog closed"
[ -s "$GAME/ENGINE/COMMIT.DAT" ] || fail "no launch file before the failed start"
press "$ipx" alt+a
wait_window_gone "IPX Network Game"
press "$MAIN_WINDOW" alt+x
launcher_ended
[ ! -e "$GAME/GAMERUN.TXT" ] && [ ! -e "$GAME/ENGINE/NETRUN.TXT" ] || fail "a DOS program ran without DOSBox"
echo "passed"
