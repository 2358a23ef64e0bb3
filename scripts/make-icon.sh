#!/usr/bin/env bash
# Draws discpilot's icon with ImageMagick: a silver disc whose centre is a football pitch, 32 x 32
# pixels in 256 colours, written to main/discpilot.ico (committed; run again only to change it).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/main/discpilot.ico}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

convert -size 32x32 xc:none \
    -fill '#5a6470' -draw 'circle 15.5,15.5 15.5,0.5' \
    -fill '#d8dee6' -draw 'circle 15.5,15.5 15.5,1.5' \
    -fill '#b4bec8' -draw 'circle 15.5,15.5 15.5,4' \
    -fill '#eef2f6' -draw 'path "M 15.5,1.5 A 14,14 0 0,1 29.5,15.5 L 22,15.5 A 6.5,6.5 0 0,0 15.5,9 Z"' \
    -fill '#1f7a35' -draw 'circle 15.5,15.5 15.5,6' \
    -stroke white -strokewidth 1 -fill none \
    -draw 'line 15.5,6.5 15.5,24.5' -draw 'circle 15.5,15.5 15.5,12.5' \
    -stroke none -fill '#2b2f36' -draw 'circle 15.5,15.5 15.5,13.5' \
    -fill white -draw 'circle 15.5,15.5 15.5,14.5' \
    "$work/icon.png"
# A palette image is written as an 8-bit (256-colour) icon with a transparency mask.
convert "$work/icon.png" -type PaletteAlpha -colors 255 "$out"
echo "icon: $out"
