#!/usr/bin/env bash
# Provides miniupnpc (the UPnP client that asks the home router to forward a
# port) for 64-bit Windows as a static library built with Debian's
# mingw-w64, in a cache folder outside the source tree, for
# scripts/build-windows.sh and scripts/test-windows.sh. Debian has no Windows
# build of it, so it is built from Debian's own source package of the version
# the Linux build uses (a few seconds), once:
#   - nothing to do when the folder is complete;
#   - else apt-get source miniupnpc, then build and install it there.
# The prefix is $VORNHALE_MINIUPNPC_CACHE/install; the cache folder defaults to
# ~/.cache/vornhale/miniupnpc-<version>-mingw-w64. Prints the prefix.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"

"$here/scripts/install-deps.sh" g++-mingw-w64-x86-64-posix libminiupnpc-dev dpkg-dev
version="$(dpkg-query -W -f='${Version}' libminiupnpc-dev)"
upstream="${version%%-*}"
cache="${VORNHALE_MINIUPNPC_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vornhale/miniupnpc-$upstream-mingw-w64}"
# Written last, so an interrupted build is never taken as complete.
stamp="$cache/complete"

if [ ! -f "$stamp" ]; then
    echo "Building miniupnpc $upstream for Windows from Debian's source into $cache..." >&2
    . "$here/scripts/debian-source.sh"
    rm -rf "$cache"
    work="$cache.work"
    rm -rf "$work"
    trap 'rm -rf "$work"' EXIT
    debian_source miniupnpc libminiupnpc-dev "$work" >&2
    source_dir="$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'miniupnpc-*' | head -n 1)"
    # The library alone, static, without its sample programs and tests.
    cmake -S "$source_dir" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_INSTALL_PREFIX="$cache/install" -DCMAKE_BUILD_TYPE=Release \
        -DUPNPC_BUILD_STATIC=ON -DUPNPC_BUILD_SHARED=OFF -DUPNPC_BUILD_TESTS=OFF -DUPNPC_BUILD_SAMPLE=OFF \
        >"$work/configure.log" 2>&1 || { cat "$work/configure.log" >&2; exit 1; }
    cmake --build "$work/build" >"$work/build.log" 2>&1 || { cat "$work/build.log" >&2; exit 1; }
    cmake --install "$work/build" >/dev/null
    date -u +"built from miniupnpc $version %FT%TZ" >"$stamp"
fi
echo "$cache/install"
