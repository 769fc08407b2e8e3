#!/bin/sh
# Renders the Windows icon (16 to 256 pixels) from the large desktop icon. The
# .ico is committed, so a build on Windows needs no ImageMagick; run this only
# after changing ../vornhale-launcher-256.png.
set -e
cd "$(dirname "$0")"
convert ../vornhale-launcher-256.png -define icon:auto-resize=256,48,32,24,16 vornhale-launcher.ico
