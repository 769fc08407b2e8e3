#!/usr/bin/env bash
# The game's music in DOSBox: with CD audio on, a DOS program of our own
# (dos/cdprobe.asm) runs as the game through "&Single Player", and inside
# NET.BAT through an IPX start, with the real DOSBox, headless. It finds
# drive D: through MSCDEX, reads the table of contents, plays the first
# audio track and reads the position twice, a second apart. The images are
# built here: a data track from genisoimage and two audio tracks of 5 and 3
# seconds, as BIN files named in another case than the sheet's, as OGG
# Vorbis, and as FLAC and MP3, which the launcher converts once.
. "${E2E_LIB:-$(dirname "$0")/lib.sh}"
e2e_own_network "$@"

need_dosbox
for tool in genisoimage oggenc flac lame; do
    command -v $tool >/dev/null || fail "$tool is not installed (scripts/install-deps.sh installs it)"
done
e2e_start_x
dosbox_scratch_home
trap 'end_our_dosboxes; e2e_cleanup' EXIT

nasm -f bin -o "$E2E_TMP/CDPROBE.COM" "$(dirname "$0")/dos/cdprobe.asm" || fail "nasm failed"
cp "$E2E_TMP/CDPROBE.COM" "$GAME/VORNHALE.EXE"
cp "$E2E_TMP/CDPROBE.COM" "$GAME/ENGINE/CDPROBE.COM"
printf '%s\r\n' '@echo off' 'CDPROBE' >"$GAME/ENGINE/NET.BAT"
chmod a-x "$GAME/VORNHALE.EXE" "$GAME/ENGINE/NET.BAT"

# The fixtures: a data track, and 5 and 3 seconds of CD audio.
fix="$E2E_TMP/fixtures"
mkdir -p "$fix/iso"
echo "Vornhale" >"$fix/iso/README.TXT"
genisoimage -quiet -o "$fix/DATA.ISO" "$fix/iso"
for t in 2:5 3:3; do
    raw="$fix/TRACK0${t%:*}.BIN"
    head -c $((44100 * 4 * ${t#*:})) /dev/urandom >"$raw"
    oggenc -Q -r -B 16 -C 2 -R 44100 -o "$fix/track0${t%:*}.ogg" "$raw"
    flac -s --force-raw-format --endian=little --sign=signed --channels=2 --bps=16 --sample-rate=44100 \
        -o "$fix/track0${t%:*}.flac" "$raw"
    lame --silent -r -s 44.1 --bitwidth 16 --signed --little-endian -m s "$raw" "$fix/track0${t%:*}.mp3"
done

# The table of contents DOSBox gives for these: the data track after the
# two-second lead-in, each audio track after it in 75 frames a second.
msf() { printf '%02d:%02d:%02d' $(($1 / 4500)) $(($1 / 75 % 60)) $(($1 % 75)); }
data=$((150 + $(stat -c %s "$fix/DATA.ISO") / 2048))
toc="DRIVES 1 D
CDROM D
DISK 1 3 $(msf $((data + 600)))
TRACK 1 $(msf 150) DATA
TRACK 2 $(msf $data) AUDIO
TRACK 3 $(msf $((data + 375))) AUDIO"

# Puts the image of kind $1 into $GAME/CD (type $2 for its audio files, the
# sheet naming them as $3 and $4), starts the game ("single" or "ipx") and
# fails unless DOS read the table of contents and heard the track play.
probe() {
    local kind="$1" type="$2" name2="$3" name3="$4" start="$5" folder="$GAME" got
    rm -rf "$GAME/CD"
    mkdir "$GAME/CD"
    # Copied with their times, so a copy of the same source is an unchanged one.
    cp -p "$fix/DATA.ISO" "$GAME/CD/"
    if [ "$kind" = BIN ]; then cp -p "$fix"/TRACK0?.BIN "$GAME/CD/"; else cp -p "$fix"/track0?."$kind" "$GAME/CD/"; fi
    printf 'FILE "data.iso" BINARY\r\n  TRACK 01 MODE1/2048\r\n    INDEX 01 00:00:00\r\n' >"$GAME/CD/Vornhale.cue"
    printf 'FILE "%s" %s\r\n  TRACK %02d AUDIO\r\n    INDEX 01 00:00:00\r\n' "$name2" "$type" 2 "$name3" "$type" 3 \
        >>"$GAME/CD/Vornhale.cue"
    (cd "$GAME/CD" && md5sum * >"$E2E_TMP/player-files.md5")
    [ "$start" = ipx ] && folder="$GAME/ENGINE"
    rm -f "$folder/CDPROBE.TXT"
    start_game_as "$start"
    got="$(dos_file "$folder/CDPROBE.TXT")"
    [ "$(head -n 6 <<<"$got")" = "$toc" ] || fail "$kind, $start: the table of contents DOS read:
$got
expected:
$toc"
    local q=($(sed -n 's/^Q //p' <<<"$got"))
    [[ "${q[0]}" < "${q[1]}" && "${q[0]}" > "$(msf $((data - 1)))" ]] || fail "$kind, $start: the track did not play:
$got"
    (cd "$GAME/CD" && md5sum -c --quiet "$E2E_TMP/player-files.md5" && [ "$(ls | wc -l)" = 4 ]) ||
        fail "$kind: the player's folder changed: $(ls "$GAME/CD")"
}

# Split BIN files whose names differ in case from the sheet's, on both starts.
probe BIN BINARY Track02.bin track03.BIN single
probe BIN BINARY Track02.bin track03.BIN ipx
probe ogg OGG TRACK02.OGG TRACK03.OGG single
probe flac WAVE track02.flac track03.flac single
converted="$(find "$XDG_CACHE_HOME/vornhale" -name '*.bin' -printf '%p %T@\n' | sort)"
[ "$(wc -l <<<"$converted")" = 2 ] || fail "the FLAC tracks were not converted into the cache: $converted"
# Unchanged sources are not converted again.
probe flac WAVE track02.flac track03.flac single
[ "$(find "$XDG_CACHE_HOME/vornhale" -name '*.bin' -printf '%p %T@\n' | sort)" = "$converted" ] ||
    fail "unchanged FLAC tracks were converted again"
probe mp3 MP3 track02.mp3 track03.mp3 single

# A game folder whose name DOSBox's cue reader cannot take: its tracks are
# read through a short name in the launcher's cache folder.
mv "$GAME" "$E2E_TMP/Vornhale \"Gold\" 100%"
GAME="$E2E_TMP/Vornhale \"Gold\" 100%"
probe BIN BINARY Track02.bin track03.BIN single
echo "passed"
