#!/usr/bin/env bash
# End-to-end tests of the real vornhale-launcher.exe under Wine: builds the
# .exe (scripts/build-windows.sh) and the stand-in programs, makes one
# scratch Wine prefix for the run, and runs tests/windows/e2e/test_*.sh, each
# on its own X server with openbox. Screenshots of every window land in
# build-windows/screenshots.
# Usage: scripts/test-windows-e2e.sh [name ...]   e.g. test_startup
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${VORNHALE_WIN_BUILD:-$here/build-win}"
exe_build="${VORNHALE_WIN_EXE_BUILD:-$here/build-windows}"

"$here/scripts/install-deps.sh" g++-mingw-w64-x86-64-posix wine wine64 fonts-croscore xclip

scratch="$(mktemp -d /tmp/vornhale-wine-e2e.XXXXXX)"
export WINEPREFIX="$scratch/prefix" TMPDIR="$scratch/tmp" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Western ANSI code page (1252), whatever the machine's language.
export LC_ALL=C.UTF-8
export LAUNCHER="$exe_build/src/vornhale-launcher.exe" DEMO="$here/demo" STAND_INS="$build"
export VORNHALE_WIN_SHOTS="$exe_build/screenshots"
mkdir -p "$TMPDIR" "$VORNHALE_WIN_SHOTS"
cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
# Builds quietly; a failure shows the whole log.
quietly() { "$@" >"$scratch/build.log" 2>&1 || { cat "$scratch/build.log"; exit 1; }; }
quietly env VORNHALE_WIN_EXE_BUILD="$exe_build" "$here/scripts/build-windows.sh"
quietly cmake -S "$here/tests/windows" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake"
quietly cmake --build "$build" -j"$(nproc)" --target program_stand_in browser_stand_in

started=$SECONDS
echo "Creating a Wine prefix..."
# Wine's first start of a new prefix has now and then failed without a
# word on a loaded machine; one more try from scratch is made before the
# run gives up.
make_prefix() {
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    (unset DISPLAY; wine wineboot --init) >"$scratch/wineboot.log" 2>&1 ||
        { echo "wineboot failed:"; cat "$scratch/wineboot.log"; return 1; }
    wineserver -w || return 1

    failed=0
    reg() { wine reg add "$@" /f >/dev/null || { echo "could not set $1"; failed=1; }; }
    # Windows draws the launcher's face, Microsoft Sans Serif, as a TrueType
    # font. Give the prefix one under that name with metrics as close as free
    # fonts come (Arimo, Arial's metrics, as Liberation Sans has on Linux; under
    # Wine, Liberation Sans 1 draws no capital I at this size).
    reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Microsoft Sans Serif' /d Arimo
    # The HTML handler: a quoted program path with a blank in it, an option and "%1".
    reg 'HKCR\.htm' /ve /d VornhaleTestPage
    reg 'HKCR\VornhaleTestPage\shell\open\command' /ve /d '"C:\Program Files\Web Browser\browser.exe" -new "%1"'
    browser_dir="$WINEPREFIX/drive_c/Program Files/Web Browser"
    mkdir -p "$browser_dir"
    cp "$build/browser_stand_in.exe" "$browser_dir/browser.exe"
    # Installed modems: 0000 and 0001 qualify, 0002 is missing, so 0003 is never
    # reached.
    modems='HKLM\System\CurrentControlSet\Services\Class\Modem'
    reg "$modems\0000" /v AttachedTo /d COM2
    reg "$modems\0000" /v DriverDesc /d 'Vornhale Test Modem A'
    reg "$modems\0000\Init" /v 2 /d 'ATZ<cr>'
    reg "$modems\0001" /v AttachedTo /d COM4
    reg "$modems\0001" /v DriverDesc /d 'Vornhale Test Modem B'
    reg "$modems\0001\Init" /v 1 /d 'AT&F1<cr>ATM0<cr>'
    reg "$modems\0003" /v AttachedTo /d COM1
    reg "$modems\0003" /v DriverDesc /d 'Vornhale Test Modem C'
    [ $failed = 0 ]
}
make_prefix || { echo "Trying once more..."; make_prefix; }
wineserver -k
wineserver -w

# The Windows tests, and the native tests that hold on Windows as they stand,
# which run with the Windows tests' library in place of their own.
shared=(test_startup)
find_test() {
    local name="${1%.sh}"
    if [ -f "$here/tests/windows/e2e/$name.sh" ]; then
        echo "$here/tests/windows/e2e/$name.sh"
    else
        echo "$here/tests/e2e/$name.sh"
    fi
}
tests=()
if [ $# -gt 0 ]; then
    for name in "$@"; do tests+=("$(find_test "$name")"); done
else
    tests=("$here"/tests/windows/e2e/test_*.sh)
    for name in "${shared[@]}"; do tests+=("$here/tests/e2e/$name.sh"); done
fi
export E2E_LIB="$here/tests/windows/e2e/lib.sh"

passed=0 failed=0 failures=()
for test in "${tests[@]}"; do
    name="$(basename "$test" .sh)"
    log="$scratch/$name.log"
    t0=$SECONDS
    if timeout 300 bash "$test" >"$log" 2>&1; then
        passed=$((passed + 1))
        echo "windows e2e $name: passed ($((SECONDS - t0)) s)"
    else
        failed=$((failed + 1))
        failures+=("$name")
        echo "windows e2e $name: FAILED ($((SECONDS - t0)) s)"
        sed 's/^/    /' "$log"
    fi
    wineserver -k 2>/dev/null || true
    wineserver -w
done
echo "Windows end-to-end tests under Wine: $((SECONDS - started)) s; screenshots in $VORNHALE_WIN_SHOTS"
[ $failed -eq 0 ] || echo "Failed: ${failures[*]}"
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
