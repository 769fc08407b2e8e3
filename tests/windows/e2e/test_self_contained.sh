#!/usr/bin/env bash
# The .exe is one self-contained Windows GUI program: everything it imports
# is part of Windows (a DLL the prefix's system32 holds, or an API set the
# loader resolves), so nothing has to be copied beside it.
set -euo pipefail
: "${LAUNCHER:?path of vornhale-launcher.exe}" "${WINEPREFIX:?the Wine prefix}"

headers="$(x86_64-w64-mingw32-objdump -p "$LAUNCHER")"
grep -q '^Subsystem.*(Windows GUI)' <<<"$headers" || { echo "FAIL: not a Windows GUI program" >&2; exit 1; }
system32="$WINEPREFIX/drive_c/windows/system32"
foreign=""
for dll in $(awk '/DLL Name:/ {print $3}' <<<"$headers"); do
    case "${dll,,}" in api-ms-win-*) continue ;; esac
    [ -e "$system32/${dll,,}" ] || foreign="$foreign $dll"
done
[ -z "$foreign" ] || { echo "FAIL: imports DLLs that Windows does not have:$foreign" >&2; exit 1; }
echo "passed"
