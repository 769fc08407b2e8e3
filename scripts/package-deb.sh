#!/usr/bin/env bash
# Makes the Debian package vornhale-launcher_<version>_<arch>.deb.
#
#   scripts/package-deb.sh
#       installs what is missing, makes a release build with Debian's
#       hardening flags in build-deb/ and writes the package there;
#   scripts/package-deb.sh --from BUILD_DIR [--output DIR]
#       packages a build that is already there (the tests package their own).
#
# The files are those the build's install rules place under /usr, with the
# program in /usr/games where Debian keeps games; the copyright and the
# changelog come from packaging/debian, the dependencies from the libraries
# the binary links (dpkg-shlibdeps).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"

build="" output=""
while [ $# -gt 0 ]; do
    case "$1" in
    --from) build="$2"; shift 2 ;;
    --output) output="$2"; shift 2 ;;
    *) echo "usage: $0 [--from BUILD_DIR] [--output DIR]" >&2; exit 2 ;;
    esac
done

if [ -z "$build" ]; then
    "$here/scripts/install-deps.sh"
    build="$here/build-deb"
    # Debian's hardening flags; CMake reads no CPPFLAGS, so the
    # preprocessor's go in with the compiler's.
    export DEB_BUILD_MAINT_OPTIONS=hardening=+all
    CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
    LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" \
        cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None \
            -DVORNHALE_BUILD_TESTS=OFF -DVORNHALE_BUILD_BENCHMARKS=OFF >/dev/null
    cmake --build "$build" -j"$(nproc)"
fi
build="$(cd "$build" && pwd)"
output="$(mkdir -p "${output:-$build}" && cd "${output:-$build}" && pwd)"

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
[ -n "$version" ] || { echo "$build is no configured build" >&2; exit 1; }
[ "$(dpkg-parsechangelog -l "$here/packaging/debian/changelog" -S Version)" = "$version" ] ||
    { echo "packaging/debian/changelog has no entry for version $version" >&2; exit 1; }
arch="$(dpkg-architecture -qDEB_HOST_ARCH)"

work="$(mktemp -d "${TMPDIR:-/tmp}/vornhale-deb.XXXXXX")"
trap 'rm -rf "$work"' EXIT
root="$work/root"
umask 022
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
# Debian keeps games' programs in /usr/games; the menu entry names the
# program with its full path, which does not rely on the session's PATH.
mkdir -p "$root/usr/games"
mv "$root/usr/bin/vornhale-launcher" "$root/usr/games/"
rmdir "$root/usr/bin"
sed -i 's|^Exec=vornhale-launcher|Exec=/usr/games/vornhale-launcher|' "$root/usr/share/applications/vornhale-launcher.desktop"
strip --remove-section=.comment --remove-section=.note "$root/usr/games/vornhale-launcher"

doc="$root/usr/share/doc/vornhale-launcher"
mkdir -p "$doc"
install -m 644 "$here/packaging/debian/copyright" "$doc/copyright"
gzip -9n <"$here/packaging/debian/changelog" >"$doc/changelog.gz"
find "$root/usr/share/man" -type f -name '*.[0-9]' -exec gzip -9n {} +

# dpkg-shlibdeps and dpkg-gencontrol work from a source package's debian/.
mkdir -p "$work/source/debian" "$root/DEBIAN"
cp "$here/packaging/debian/control" "$here/packaging/debian/changelog" "$work/source/debian/"
(
    cd "$work/source"
    dpkg-shlibdeps -Tdebian/substvars "$root/usr/games/vornhale-launcher"
    dpkg-gencontrol -P"$root" -Tdebian/substvars
)
(cd "$root" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$root/DEBIAN/md5sums"
chmod 644 "$root/DEBIAN/control" "$root/DEBIAN/md5sums"

package="$output/vornhale-launcher_${version}_${arch}.deb"
dpkg-deb --root-owner-group -Zxz --build "$root" "$package" >/dev/null
echo "$package"
