#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (unit, window and
# end-to-end) through CTest, then the Windows tests under Wine: the Windows
# test program, and the launcher's .exe end to end.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh"
cd "$here/build"
ctest --output-on-failure -j"$(nproc)" "$@"
# The window-free logic and the Win32 layer, cross-built and run under Wine.
"$here/scripts/test-windows.sh"
# The launcher's .exe (Qt for Windows from the shared cache, or built once
# from source), driven under Wine.
"$here/scripts/test-windows-e2e.sh"
