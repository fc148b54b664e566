#!/usr/bin/env bash
# Renders the committed pictures in resources/ from their sources, so they can be redrawn
# after a change: the icon sizes from icons/sumiplex.svg (rsvg-convert, package
# librsvg2-bin) and the built-in picture of the main window (ImageMagick's convert).
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
ls -l picture.jpg icons/sumiplex-*.png
