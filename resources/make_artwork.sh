#!/bin/sh
# Renders the menu artwork (369 x 463, 256 colours). The bitmap is committed;
# run this only to change it. Needs ImageMagick and fonts-liberation.
set -e
cd "$(dirname "$0")"
convert -size 369x463 \
    gradient:'#1b0f08-#5a2d12' \
    \( -size 369x463 xc:none -fill '#00000060' -draw 'circle 184,430 184,190' \) -composite \
    -fill '#e8c070' -stroke '#2a1406' -strokewidth 2 \
    -font Liberation-Serif-Bold -pointsize 52 -gravity north -annotate +0+28 'VORNHALE' \
    -stroke none -fill '#c89a50' -font Liberation-Serif-Italic -pointsize 15 -annotate +0+94 'the hollow realm awaits' \
    -fill '#8a5a2a' -draw 'rectangle 40,120 329,122' \
    -colors 256 -type Palette BMP3:menu.bmp
convert menu.bmp -resize 32x32! -colors 256 PNG8:vornhale-launcher.png
