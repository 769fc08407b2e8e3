# What the two Windows test runs share (scripts/test-windows.sh and
# scripts/test-windows-e2e.sh): a scratch folder with a Wine prefix of their
# own, made once per run and thrown away afterwards. Source it, then call
# wine_scratch NAME and make_wine_prefix FILL, where FILL adds the run's own
# registry values with `reg KEY /v NAME /d DATA`. $build is the folder of
# browser_stand_in.exe.

# Makes $scratch and points Wine at a prefix inside it.
wine_scratch() {
    scratch="$(mktemp -d "/tmp/$1.XXXXXX")"
    export WINEPREFIX="$scratch/prefix" TMPDIR="$scratch/tmp" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    # Wine takes its ANSI code page from the locale: keep it Western (1252),
    # as the 8-bit file-name tests expect, whatever the machine's language.
    export LC_ALL=C.UTF-8
    mkdir -p "$TMPDIR"
    trap wine_scratch_cleanup EXIT
}

wine_scratch_cleanup() {
    wineserver -k 2>/dev/null || true
    rm -rf "$scratch"
}

# Sets a registry value; a failure is noted in $failed and named.
reg() { wine reg add "$@" /f >/dev/null || { echo "could not set $1"; failed=1; }; }

make_one_prefix() {
    local fill="$1"
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    # The prefix needs no X server; with one, Wine would show its set-up.
    (unset DISPLAY; wine wineboot --init) >"$scratch/wineboot.log" 2>&1 ||
        { echo "wineboot failed:"; cat "$scratch/wineboot.log"; return 1; }
    wineserver -w || return 1

    failed=0
    # The HTML handler: a quoted program path with a blank in it, an option
    # and "%1". The stand-in browser records the command line it receives.
    reg 'HKCR\.htm' /ve /d VornhaleTestPage
    reg 'HKCR\VornhaleTestPage\shell\open\command' /ve /d '"C:\Program Files\Web Browser\browser.exe" -new "%1"'
    local browser_dir="$WINEPREFIX/drive_c/Program Files/Web Browser"
    mkdir -p "$browser_dir"
    cp "$build/browser_stand_in.exe" "$browser_dir/browser.exe"
    "$fill"
    [ $failed = 0 ]
}

# Wine's first start of a new prefix has now and then failed without a word
# on a loaded machine; one more try from scratch is made before the run
# gives up.
make_wine_prefix() {
    echo "Creating a Wine prefix..."
    make_one_prefix "$1" || { echo "Trying once more..."; make_one_prefix "$1"; }
}
