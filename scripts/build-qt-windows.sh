#!/usr/bin/env bash
# Provides Qt for 64-bit Windows (Qt's base module 6.4.2, static, built with
# Debian's mingw-w64) in a cache folder outside the source tree, for
# scripts/build-windows.sh:
#   - nothing to do when the folder is complete;
#   - else unpack the prebuilt archive when ../shared/windows-qt/ (beside the
#     project; VORNHALE_QT_ARCHIVE_DIR overrides it) holds it with a matching
#     checksum;
#   - else build it from Debian's qt6-base source package (about 25 minutes
#     on two cores).
# The Qt prefix is $VORNHALE_QT_CACHE/install; the cache folder defaults to
# ~/.cache/vornhale/qt-6.4.2-mingw-w64.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
version=6.4.2
cache="${VORNHALE_QT_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/vornhale/qt-$version-mingw-w64}"
archive_dir="${VORNHALE_QT_ARCHIVE_DIR:-$here/../shared/windows-qt}"
archive="$archive_dir/qt-$version-mingw-w64-static.tar.xz"
# Written last, so an interrupted unpack or build is never taken as complete.
stamp="$cache/complete"

[ -f "$stamp" ] && exit 0

# The host tools (moc, uic, rcc) come from Debian's own Qt of the same version.
"$here/scripts/install-deps.sh" g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools dpkg-dev xz-utils
host_version="$(dpkg-query -W -f='${Version}' qt6-base-dev)"
case "$host_version" in
    "$version"+*) ;;
    *) echo "Debian's Qt is $host_version; the Windows build needs the same version, $version" >&2; exit 1 ;;
esac

rm -rf "$cache"
mkdir -p "$cache"

if [ -f "$archive" ] && [ -f "$archive.sha256" ] &&
   (cd "$archive_dir" && sha256sum --quiet -c "$(basename "$archive").sha256") >/dev/null 2>&1; then
    echo "Unpacking Qt $version for Windows into $cache..."
    tar -xJf "$archive" -C "$cache"
    date -u +"unpacked from $archive %FT%TZ" >"$stamp"
    exit 0
fi

echo "Building Qt $version for Windows from Debian's qt6-base source into $cache (about 25 minutes)..."
. "$here/scripts/debian-source.sh"
debian_source_entry qt6-base qt6-base-dev

work="$cache.work"
rm -rf "$work"
mkdir -p "$work/src"
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get source --download-only -qq "qt6-base=$host_version")
tar -xJf "$work"/qt6-base_*.orig.tar.xz -C "$work/src" --strip-components=1

# No SQL, network, D-Bus, OpenGL, printing or XML: the launcher uses none of
# them. Every third-party library is Qt's bundled copy, built in. Debian's
# source has no wintab headers, hence no tablet events.
nice -n 19 cmake -S "$work/src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_INSTALL_PREFIX="$cache/install" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_libpng=OFF -DFEATURE_system_libjpeg=OFF \
    -DFEATURE_system_doubleconversion=OFF -DFEATURE_jpeg=OFF -DFEATURE_freetype=OFF \
    -DFEATURE_tabletevent=OFF >"$work/configure.log" 2>&1 ||
    { tail -50 "$work/configure.log"; exit 1; }
nice -n 19 cmake --build "$work/build" -j"$(nproc)"
cmake --install "$work/build" >/dev/null
date -u +"built from qt6-base $host_version %FT%TZ" >"$stamp"
