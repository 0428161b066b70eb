#!/usr/bin/env bash
# Draws the application icon (a blue-grey rounded square with a white key) at the sizes Windows asks for,
# and writes Kelvora.ico beside this script. Run it again after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
for s in 16 24 32 48 64 256; do
  convert -size 256x256 xc:none \
    -fill '#3e5a7a' -draw 'roundrectangle 8,8 247,247 40,40' \
    -fill '#5b7fa6' -draw 'roundrectangle 8,8 247,128 40,40' -draw 'rectangle 8,90 247,128' \
    -fill white -draw 'circle 96,128 96,72' \
    -fill '#3e5a7a' -draw 'circle 96,128 96,106' \
    -fill white -draw 'rectangle 140,116 224,140' -draw 'rectangle 188,140 204,172' -draw 'rectangle 212,140 224,164' \
    -resize "${s}x${s}" "PNG32:$tmp/$s.png"
done
convert "$tmp"/16.png "$tmp"/24.png "$tmp"/32.png "$tmp"/48.png "$tmp"/64.png "$tmp"/256.png Kelvora.ico
rm -rf "$tmp"
