#!/usr/bin/env bash
# Screenshots of the launcher's windows under Xvfb, for the README and for
# looking at the layout: scripts/screenshot.sh OUT.png [xdotool keys ...]
# The keys are pressed in the main window first (e.g. alt+c to open the
# configuration menu); the active window is captured.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "$1")"
shift
export LAUNCHER="${LAUNCHER:-$here/build/src/vornhale-launcher}" DEMO="${DEMO:-$here/demo}"
. "$here/tests/e2e/lib.sh"
e2e_start
if [ $# -gt 0 ]; then
    press "$MAIN_WINDOW" "$@"
    sleep 1
fi
target="$(xdotool getactivewindow 2>/dev/null || echo "$MAIN_WINDOW")"
sleep 0.5
# Capture the frame too, so the caption shows.
frame="$(xwininfo -id "$target" -children | awk '/Parent window id/ {print $4}')"
[ -n "$frame" ] && [ "$frame" != "$(xwininfo -root | awk '/Window id/ {print $4}')" ] && target="$frame"
import -window "$target" "$out"
echo "$out"
