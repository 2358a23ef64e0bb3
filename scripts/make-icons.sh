#!/usr/bin/env bash
# Draws the programs' icons with ImageMagick (committed; run again only to change them):
# - main/discpilot.ico: a silver disc whose centre is a football pitch, 32 x 32, 256 colours;
# - stop/pilotstop.ico: the same disc with a red stop sign, 16 x 16 and 32 x 32, 16 colours;
# - play/pilotplay.ico: the same disc with a green play button, 16 x 16 and 32 x 32, 16 colours.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The disc at 32 x 32, drawn at the given scale (1 for 32 pixels, 0.5 for 16).
disc() {
    local k="$1" out="$2"
    local s c
    s="$(awk -v k="$k" 'BEGIN { print 32 * k }')"
    c="$(awk -v k="$k" 'BEGIN { print 15.5 * k }')"
    r() { awk -v k="$k" -v v="$1" 'BEGIN { print v * k }'; }
    convert -size "${s}x${s}" xc:none \
        -fill '#5a6470' -draw "circle $c,$c $c,$(r 0.5)" \
        -fill '#d8dee6' -draw "circle $c,$c $c,$(r 1.5)" \
        -fill '#b4bec8' -draw "circle $c,$c $c,$(r 4)" \
        -fill '#eef2f6' -draw "path 'M $c,$(r 1.5) A $(r 14),$(r 14) 0 0,1 $(r 29.5),$c L $(r 22),$c A $(r 6.5),$(r 6.5) 0 0,0 $c,$(r 9) Z'" \
        -fill '#1f7a35' -draw "circle $c,$c $c,$(r 6)" \
        -stroke white -strokewidth 1 -fill none \
        -draw "line $c,$(r 6.5) $c,$(r 24.5)" -draw "circle $c,$c $c,$(r 12.5)" \
        -stroke none -fill '#2b2f36' -draw "circle $c,$c $c,$(r 13.5)" \
        -fill white -draw "circle $c,$c $c,$(r 14.5)" \
        "$out"
}

# The stop sign in the lower right corner: a red octagon with a white bar.
stop_sign() {
    local s="$1" in="$2" out="$3"
    local octagon bar
    octagon="$(awk -v s="$s" 'BEGIN { pi = atan2(0, -1); cx = s * 0.70; r = s * 0.29
        for (i = 0; i < 8; i++) { a = pi / 8 + i * pi / 4; printf "%.1f,%.1f ", cx + r * cos(a), cx + r * sin(a) } }')"
    bar="$(awk -v s="$s" 'BEGIN { printf "%.1f,%.1f %.1f,%.1f", s * 0.53, s * 0.65, s * 0.87, s * 0.75 }')"
    convert "$in" -fill '#c00000' -stroke '#600000' -strokewidth 1 -draw "polygon $octagon" \
        -stroke none -fill white -draw "rectangle $bar" "$out"
}

# The play button in the lower right corner: a green circle with a white triangle.
play_sign() {
    local s="$1" in="$2" out="$3"
    local circle triangle
    circle="$(awk -v s="$s" 'BEGIN { printf "%.1f,%.1f %.1f,%.1f", s * 0.70, s * 0.70, s * 0.70, s * 0.41 }')"
    triangle="$(awk -v s="$s" 'BEGIN { printf "%.1f,%.1f %.1f,%.1f %.1f,%.1f", s * 0.61, s * 0.56, s * 0.61, s * 0.84, s * 0.84, s * 0.70 }')"
    convert "$in" -fill '#1f8f2f' -stroke '#0b4a14' -strokewidth 1 -draw "circle $circle" \
        -stroke none -fill white -draw "polygon $triangle" "$out"
}

# 16 colours, transparency as a 1-bit mask: each image is reduced on its own, without dithering.
sixteen_colour_icon() {
    local small="$1" large="$2" out="$3"
    convert \( "$small" -channel A -threshold 50% +channel +dither -colors 15 \) \
        \( "$large" -channel A -threshold 50% +channel +dither -colors 15 \) \
        -type PaletteAlpha "$out"
}

disc 1 "$work/disc32.png"
# A palette image is written as an 8-bit (256-colour) icon with a transparency mask.
convert "$work/disc32.png" -type PaletteAlpha -colors 255 "$root/main/discpilot.ico"

disc 0.5 "$work/disc16.png"
stop_sign 32 "$work/disc32.png" "$work/stop32.png"
stop_sign 16 "$work/disc16.png" "$work/stop16.png"
sixteen_colour_icon "$work/stop16.png" "$work/stop32.png" "$root/stop/pilotstop.ico"
play_sign 32 "$work/disc32.png" "$work/play32.png"
play_sign 16 "$work/disc16.png" "$work/play16.png"
sixteen_colour_icon "$work/play16.png" "$work/play32.png" "$root/play/pilotplay.ico"
echo "icons: main/discpilot.ico stop/pilotstop.ico play/pilotplay.ico"
