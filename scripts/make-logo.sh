#!/usr/bin/env bash
# Draws the About window's logo (200 x 46, transparent background) into
# src/app/logo.png. Needs ImageMagick and the Liberation fonts.
set -euo pipefail
cd "$(dirname "$0")/.."
font=/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf
small=/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf
convert -size 200x46 xc:none \
  \( -size 40x40 gradient:'#c9ced6-#6f7784' \
     \( -size 40x40 xc:none -fill white -draw 'roundrectangle 0,0,39,39,8,8' \) \
     -alpha off -compose CopyOpacity -composite \) -geometry +3+3 -compose over -composite \
  -fill none -stroke '#4a525e' -strokewidth 1 -draw 'roundrectangle 3.5,3.5,42.5,42.5,8,8' \
  -stroke white -strokewidth 4 -draw 'stroke-linecap round stroke-linejoin round polyline 12,24 20,32 34,14' \
  -stroke none -fill '#2f3640' -font "$font" -pointsize 27 -annotate +52+29 'Tessaly' \
  -fill '#6f7784' -font "$small" -pointsize 10 -annotate +53+41 'EPUB CHECKER' \
  PNG32:src/app/logo.png
