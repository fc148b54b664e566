#!/usr/bin/env bash
# Renders the committed pictures in resources/ from their sources, so they can be redrawn
# after a change: the icon sizes from icons/sumiplex.svg (rsvg-convert, package
# librsvg2-bin), the built-in picture of the main window and the usage guide's picture
# (ImageMagick's convert).
# The build itself uses the committed files and needs neither tool.
set -euo pipefail
cd "$(dirname "$0")/.."

for size in 48 128 256; do
  rsvg-convert -w "$size" -h "$size" icons/sumiplex.svg -o "icons/sumiplex-$size.png"
done

# A calm evening landscape: a sky fading from blue to a pale orange horizon, a low sun,
# three ranges of hills that lighten with distance, and a still lake with the sun's glint.
w=480
h=200
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

convert -size ${w}x120 gradient:'#2f5fa8-#f6c79a' "$tmp/sky.png"
convert -size ${w}x80 gradient:'#c98f6a-#24406f' "$tmp/lake.png"
convert "$tmp/sky.png" "$tmp/lake.png" -append "$tmp/base.png"

convert "$tmp/base.png" \
  \( -size ${w}x${h} xc:none -fill '#ffe2b8' -draw 'circle 330,80 330,64' -blur 0x6 \) \
  -composite \
  \( -size ${w}x${h} xc:none -fill '#ffd2a6' -draw 'rectangle 300,121 360,124' \
     -draw 'rectangle 310,130 350,132' -draw 'rectangle 318,140 342,141' -blur 0x1.5 \) \
  -composite \
  \( -size ${w}x${h} xc:none -fill '#8a7f9e' \
     -draw 'polygon 0,120 0,92 40,84 90,96 140,80 200,94 250,86 300,100 360,90 420,98 480,84 480,120' \
     -blur 0x1 \) -composite \
  \( -size ${w}x${h} xc:none -fill '#5b5d83' \
     -draw 'polygon 0,120 0,104 60,96 110,108 170,98 230,110 280,104 320,113 380,100 440,110 480,102 480,120' \
     -blur 0x0.8 \) -composite \
  \( -size ${w}x${h} xc:none -fill '#2c3357' \
     -draw 'polygon 0,122 0,112 30,108 80,116 130,110 160,118 480,118 480,122' \) -composite \
  -attenuate 0.08 +noise Gaussian \
  -quality 84 -sampling-factor 4:2:0 -strip picture.jpg
# The usage guide's picture: a desk calculator whose paper tape shows the steps the guide
# explains (a number and Enter, a number and "+", a line of its own, a percentage).
w=200
h=280
convert -size ${w}x${h} gradient:'#f4f1ea-#dcd6c8' \
  \( -size ${w}x${h} xc:none -fill '#00000030' -draw 'roundrectangle 28,132 186,272 14,14' -blur 0x4 \) -composite \
  -fill '#fffdf6' -stroke '#b9b2a2' -strokewidth 1 -draw 'polygon 58,10 142,10 142,140 58,140' \
  -stroke '#d9d2c0' -draw 'line 58,8 142,8' \
  -stroke none -fill '#3a3a3a' -font DejaVu-Sans-Mono -pointsize 12 \
  -draw "text 66,30 '   500'" -draw "text 66,46 '=  500'" \
  -draw "text 66,62 '   120+'" -draw "text 66,78 '=  620'" \
  -draw "text 66,96 '   3*4'" -draw "text 66,112 '=   12'" \
  -fill '#2f3640' -stroke '#1e242b' -strokewidth 1 -draw 'roundrectangle 24,126 180,268 12,12' \
  -fill '#1e242b' -stroke none -draw 'rectangle 52,132 148,140' \
  -fill '#c9d8b6' -stroke '#8fa17a' -draw 'roundrectangle 38,148 166,176 4,4' \
  -stroke none -fill '#26331c' -font DejaVu-Sans-Mono-Bold -pointsize 16 -draw "text 104,169 '632'" \
  -stroke none \
  -fill '#e8e4da' -draw 'roundrectangle 38,186 64,204 3,3' -draw 'roundrectangle 72,186 98,204 3,3' -draw 'roundrectangle 106,186 132,204 3,3' \
  -fill '#e8e4da' -draw 'roundrectangle 38,210 64,228 3,3' -draw 'roundrectangle 72,210 98,228 3,3' -draw 'roundrectangle 106,210 132,228 3,3' \
  -fill '#e8e4da' -draw 'roundrectangle 38,234 64,252 3,3' -draw 'roundrectangle 72,234 98,252 3,3' -draw 'roundrectangle 106,234 132,252 3,3' \
  -fill '#f0a35e' -draw 'roundrectangle 140,186 166,204 3,3' -draw 'roundrectangle 140,210 166,252 3,3' \
  -fill '#3a3a3a' -font DejaVu-Sans-Mono-Bold -pointsize 11 \
  -draw "text 47,199 '7'" -draw "text 81,199 '8'" -draw "text 115,199 '9'" \
  -draw "text 47,223 '4'" -draw "text 81,223 '5'" -draw "text 115,223 '6'" \
  -draw "text 47,247 '1'" -draw "text 81,247 '2'" -draw "text 115,247 '3'" \
  -fill '#ffffff' -draw "text 149,199 '+'" -pointsize 9 -draw "text 142,235 'ENT'" \
  -strip guide.png

ls -l picture.jpg guide.png icons/sumiplex-*.png
