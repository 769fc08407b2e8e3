# Debian source packages, for the Windows builds of libraries Debian ships
# for Linux only (scripts/build-qt-windows.sh,
# scripts/build-miniupnpc-windows.sh). Source it, then call
#   debian_source_entry PACKAGE BINARY
# to make sure apt-get source finds source package PACKAGE, or
#   debian_source PACKAGE BINARY FOLDER
# to unpack the source of the installed (else the candidate) version of
# BINARY into FOLDER/<package>-<upstream version>/.

# apt-get source needs a deb-src entry for the archive and suite the binary
# came from; one is added beside the machine's own entry when there is none.
debian_source_entry() {
    local package="$1" binary="$2" sudo="" origin uri dist suite component signed_by entry
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    # e.g. " 500 http://deb.debian.org/debian bookworm/main amd64 Packages"
    origin_of() {
        apt-cache policy "$1" | awk '$1 ~ /^[0-9]+$/ && $2 ~ /:\/\// { print $2, $3; exit }'
    }
    if ! apt-cache showsrc "$package" 2>/dev/null | grep -q "^Package: $package\$"; then
        origin="$(origin_of "$binary")"
        if [ -z "$origin" ]; then
            # The package lists were cleaned away after installing.
            $sudo apt-get update -qq
            origin="$(origin_of "$binary")"
        fi
        [ -n "$origin" ] || { echo "apt knows no archive that serves $binary" >&2; return 1; }
        read -r uri dist <<<"$origin"
        suite="${dist%%/*}" component="${dist#*/}"
        # Keep the machine's Signed-By for that archive, or apt refuses the pair.
        signed_by="$(awk -v uri="$uri" 'BEGIN { RS = ""; FS = "\n" }
            $0 ~ ("URIs:[^\n]*" uri "/?([ \n]|$)") { for (i = 1; i <= NF; i++) if ($i ~ /^Signed-By:/) { sub(/^Signed-By: */, "", $i); print $i; exit } }' \
            /etc/apt/sources.list.d/*.sources 2>/dev/null || true)"
        entry="$(printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\n' "$uri" "$suite" "$component")"
        [ -n "$signed_by" ] && entry="$entry"$'\n'"Signed-By: $signed_by"
        echo "Adding a deb-src entry for $uri $suite $component"
        printf '%s\n' "$entry" | $sudo tee "/etc/apt/sources.list.d/vornhale-$package-source.sources" >/dev/null
        $sudo apt-get update -qq
    fi
}

debian_source() {
    local package="$1" binary="$2" folder="$3" version
    debian_source_entry "$package" "$binary"
    version="$(dpkg-query -W -f='${Version}' "$binary" 2>/dev/null || true)"
    [ -n "$version" ] || version="$(apt-cache policy "$binary" | awk '/Candidate:/ { print $2 }')"
    # A binary rebuilt on its own ("+b1") comes from the source without it.
    version="${version%+b[0-9]*}"
    mkdir -p "$folder"
    (cd "$folder" && apt-get source -qq "$package=$version" >/dev/null)
}
