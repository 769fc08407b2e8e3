#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (unit, window and
# end-to-end) through CTest, then the Windows tests under Wine.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh"
cd "$here/build"
ctest --output-on-failure -j"$(nproc)" "$@"
# The window-free logic and the Win32 layer, cross-built and run under Wine.
"$here/scripts/test-windows.sh"
