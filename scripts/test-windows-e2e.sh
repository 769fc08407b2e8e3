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

. "$here/scripts/wine-prefix.sh"
wine_scratch vornhale-wine-e2e
export LAUNCHER="$exe_build/src/vornhale-launcher.exe" DEMO="$here/demo" STAND_INS="$build"
export VORNHALE_WIN_SHOTS="$exe_build/screenshots"
mkdir -p "$VORNHALE_WIN_SHOTS"
# Builds quietly; a failure shows the whole log.
quietly() { "$@" >"$scratch/build.log" 2>&1 || { cat "$scratch/build.log"; exit 1; }; }
quietly env VORNHALE_WIN_EXE_BUILD="$exe_build" "$here/scripts/build-windows.sh"
quietly cmake -S "$here/tests/windows" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_PREFIX_PATH="$("$here/scripts/build-miniupnpc-windows.sh")"
quietly cmake --build "$build" -j"$(nproc)" --target program_stand_in browser_stand_in

started=$SECONDS
registry() {
    # Windows draws the launcher's face, Microsoft Sans Serif, as a TrueType
    # font. Give the prefix one under that name with metrics as close as free
    # fonts come (Arimo, Arial's metrics, as Liberation Sans has on Linux; under
    # Wine, Liberation Sans 1 draws no capital I at this size).
    reg 'HKCU\Software\Wine\Fonts\Replacements' /v 'Microsoft Sans Serif' /d Arimo
    # Installed modems: 0000 and 0001 qualify, 0002 is missing, so 0003 is never
    # reached.
    local modems='HKLM\System\CurrentControlSet\Services\Class\Modem'
    reg "$modems\0000" /v AttachedTo /d COM2
    reg "$modems\0000" /v DriverDesc /d 'Vornhale Test Modem A'
    reg "$modems\0000\Init" /v 2 /d 'ATZ<cr>'
    reg "$modems\0001" /v AttachedTo /d COM4
    reg "$modems\0001" /v DriverDesc /d 'Vornhale Test Modem B'
    reg "$modems\0001\Init" /v 1 /d 'AT&F1<cr>ATM0<cr>'
    reg "$modems\0003" /v AttachedTo /d COM1
    reg "$modems\0003" /v DriverDesc /d 'Vornhale Test Modem C'
}
make_wine_prefix registry
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
        # A passing test that had to start its X server again says so.
        grep '^e2e: starting X again' "$log" | sed 's/^/    /' || true
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
