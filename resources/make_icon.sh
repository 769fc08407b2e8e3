#!/bin/sh
# Renders the launcher's large desktop icon (256 x 256): the menu artwork's
# colours and lettering on a rounded tile. The PNG is committed; run this only
# to change it. Needs ImageMagick and fonts-liberation.
set -e
cd "$(dirname "$0")"
convert -size 256x256 gradient:'#5a2d12-#1b0f08' -alpha set \
    \( -size 256x256 xc:none -fill white -draw 'roundrectangle 8,8 247,247 36,36' \) \
    -compose DstIn -composite -compose Over \
    -fill none -stroke '#c89a50' -strokewidth 6 -draw 'roundrectangle 14,14 241,241 30,30' \
    -stroke '#2a1406' -strokewidth 4 -fill '#e8c070' \
    -font Liberation-Serif-Bold -pointsize 200 -gravity center -annotate +0+8 'V' \
    -stroke none -fill '#8a5a2a' -draw 'rectangle 56,214 199,219' \
    -strip PNG32:vornhale-launcher-256.png
