#!/usr/bin/env bash
# Cross-builds the launcher for 64-bit Windows with Debian's mingw-w64 into
# one self-contained build-windows/src/vornhale-launcher.exe: Qt and
# miniupnpc linked in statically, no DLL beside it. Qt for Windows comes from
# scripts/build-qt-windows.sh (a cache outside the tree, unpacked or built on
# first use), miniupnpc from scripts/build-miniupnpc-windows.sh (likewise).
# VORNHALE_WIN_EXE_BUILD overrides the build folder.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${VORNHALE_WIN_EXE_BUILD:-$here/build-windows}"
qt="${VORNHALE_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vornhale/qt-6.4.2-mingw-w64}/install"

"$here/scripts/install-deps.sh" g++-mingw-w64-x86-64-posix
"$here/scripts/build-qt-windows.sh"
miniupnpc="$("$here/scripts/build-miniupnpc-windows.sh")"

# The native test suite and the benchmarks belong to Linux; the Windows test
# program (tests/windows) and the Wine end-to-end tests cover this build.
cmake -S "$here" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_EXE_LINKER_FLAGS_RELEASE=-s \
    -DCMAKE_PREFIX_PATH="$qt;$miniupnpc" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DVORNHALE_BUILD_TESTS=OFF -DVORNHALE_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
echo "$build/src/vornhale-launcher.exe"
