#!/usr/bin/env bash
# Cross-builds the Windows test program (the logic without windows, the Win32
# layer and their tests; no Qt) with mingw-w64 and runs it under Wine,
# headless, against Wine's real registry, process start and file system.
# Usage: scripts/test-windows.sh [gtest options, e.g. --gtest_filter=Win32Files*]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${VORNHALE_WIN_BUILD:-$here/build-win}"

"$here/scripts/install-deps.sh" g++-mingw-w64-x86-64-posix wine wine64

cmake -S "$here/tests/windows" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j"$(nproc)"

# A prefix of our own, made once per run and thrown away afterwards; no X
# server is needed or wanted.
scratch="$(mktemp -d /tmp/vornhale-wine.XXXXXX)"
export WINEPREFIX="$scratch/prefix" TMPDIR="$scratch/tmp" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine takes its ANSI code page from the locale: keep it Western (1252), as
# the 8-bit file-name tests expect, whatever the machine's language.
export LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$TMPDIR"
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

echo "Creating a Wine prefix..."
# Wine's first start of a new prefix has now and then failed without a
# word on a loaded machine; one more try from scratch is made before the
# run gives up.
make_prefix() {
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    wine wineboot --init >"$scratch/wineboot.log" 2>&1 ||
        { echo "wineboot failed:"; cat "$scratch/wineboot.log"; return 1; }
    wineserver -w || return 1

    failed=0
    reg() { wine reg add "$@" /f >/dev/null || { echo "could not set $1"; failed=1; }; }
    # A value longer than the launcher's 1,025-byte registry buffer.
    reg 'HKLM\Software\Vornhale Tests' /v Short /d abc
    reg 'HKLM\Software\Vornhale Tests' /v Long /d "$(printf 'L%.0s' $(seq 2000))"
    # The HTML handler: a quoted program path with a blank in it, an option and "%1".
    reg 'HKCR\.htm' /ve /d VornhaleTestPage
    reg 'HKCR\VornhaleTestPage\shell\open\command' /ve /d '"C:\Program Files\Web Browser\browser.exe" -new "%1"'

    # Installed modems: 0000 and 0001 qualify, 0002 is missing, 0003 is never
    # reached. Init "2" of 0001 is longer than the 127 bytes the launcher reads.
    modems='HKLM\System\CurrentControlSet\Services\Class\Modem'
    reg "$modems\0000" /v AttachedTo /d COM2
    reg "$modems\0000" /v DriverDesc /d 'Vornhale Test Modem A'
    reg "$modems\0000\Init" /v 2 /d 'ATZ<cr>'
    reg "$modems\0000\Init" /v 1 /d 'AT&F<cr>'
    reg "$modems\0001" /v AttachedTo /d COM4
    reg "$modems\0001" /v DriverDesc /d 'Vornhale Test Modem B'
    reg "$modems\0001\Init" /v 2 /d "$(printf 'A%.0s' $(seq 200))"
    reg "$modems\0001\Init" /v 1 /d 'AT&F1<cr>ATM0<cr>'
    reg "$modems\0003" /v AttachedTo /d COM1
    reg "$modems\0003" /v DriverDesc /d 'Vornhale Test Modem C'
    [ $failed = 0 ]
}
make_prefix || { echo "Trying once more..."; make_prefix; }

# The stand-in browser records the command line it receives.
browser_dir="$WINEPREFIX/drive_c/Program Files/Web Browser"
mkdir -p "$browser_dir"
cp "$build/browser_stand_in.exe" "$browser_dir/browser.exe"

echo "Running the Windows tests under Wine..."
status=0
wine "$build/vornhale_windows_tests.exe" "$@" || status=$?
exit $status
