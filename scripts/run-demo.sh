#!/usr/bin/env bash
# Builds the launcher and starts it in a scratch copy of the demo
# installation, the way a player starts it from the game's directory.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh"
game="$(mktemp -d "${TMPDIR:-/tmp}/vornhale-demo.XXXXXX")"
cp -a "$here/demo/." "$game/"
echo "Demo installation: $game"
cd "$game"
exec "$here/build/src/vornhale-launcher"
