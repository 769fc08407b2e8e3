#!/usr/bin/env bash
# Cross-builds the Windows test program (the logic without windows, the Win32
# layer and their tests; no Qt) with mingw-w64 and runs it under Wine,
# headless, against Wine's real registry, process start and file system.
# Usage: scripts/test-windows.sh [gtest options, e.g. --gtest_filter=Win32Files*]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${VORNHALE_WIN_BUILD:-$here/build-win}"

"$here/scripts/install-deps.sh" g++-mingw-w64-x86-64-posix wine wine64
miniupnpc="$("$here/scripts/build-miniupnpc-windows.sh")"

cmake -S "$here/tests/windows" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" -DCMAKE_PREFIX_PATH="$miniupnpc" >/dev/null
cmake --build "$build" -j"$(nproc)"

. "$here/scripts/wine-prefix.sh"
wine_scratch vornhale-wine
# No X server is needed or wanted.
unset DISPLAY WAYLAND_DISPLAY

registry() {
    # A value longer than the launcher's 1,025-byte registry buffer.
    reg 'HKLM\Software\Vornhale Tests' /v Short /d abc
    reg 'HKLM\Software\Vornhale Tests' /v Long /d "$(printf 'L%.0s' $(seq 2000))"
    # Installed modems: 0000 and 0001 qualify, 0002 is missing, 0003 is never
    # reached. Init "2" of 0001 is longer than the 127 bytes the launcher reads.
    local modems='HKLM\System\CurrentControlSet\Services\Class\Modem'
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
}
make_wine_prefix registry

echo "Running the Windows tests under Wine..."
status=0
wine "$build/vornhale_windows_tests.exe" "$@" || status=$?
exit $status
