#!/usr/bin/env bash
# Makes the small pictures the loader tests read, with ImageMagick. Each is a picture of four
# coloured quadrants, so a test can tell a mirrored or upside-down decode from a right one:
#   top left (200,40,40)   top right (40,160,40)
#   bottom left (40,40,200) bottom right (220,200,40)
set -euo pipefail
cd "$(dirname "$0")"
quadrants() {  # width height [top-left colour]
  local w=$1 h=$2 tl=${3:-'rgb(200,40,40)'} hw=$(($1 / 2)) hh=$(($2 / 2))
  convert \( -size ${hw}x${hh} xc:"$tl" -size ${hw}x${hh} xc:'rgb(40,160,40)' +append \) \
          \( -size ${hw}x${hh} xc:'rgb(40,40,200)' -size ${hw}x${hh} xc:'rgb(220,200,40)' +append \) \
          -append "$4"
}
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT

quadrants 40 30 'rgb(200,40,40)' "$tmp/q40.png"
convert "$tmp/q40.png" -type truecolor BMP3:picture.bmp
convert "$tmp/q40.png" -type palette -compress RLE BMP3:picture.rle
convert "$tmp/q40.png" -size 40x30 xc:white -loop 0 picture.gif
quadrants 64 48 'rgb(200,40,40)' "$tmp/q64.png"
convert "$tmp/q64.png" -quality 95 -sampling-factor 2x2 picture.jpg
convert "$tmp/q64.png" -quality 95 -sampling-factor 2x2 JPEG:picture.jif
# The icon's top-left quadrant is transparent: it must come out black.
quadrants 48 48 'rgba(0,0,0,0)' "$tmp/q48.png"
convert "$tmp/q48.png" -define icon:auto-resize=48,32,16 picture.ico
# Icons of Windows Vista and later hold their 256 x 256 image as PNG.
quadrants 256 256 'rgba(0,0,0,0)' "$tmp/q256.png"
convert "$tmp/q256.png" -define icon:auto-resize=256,16 picture_png.ico
# A four-colour JPEG, as print work saves them.
convert "$tmp/q64.png" -colorspace CMYK -quality 95 picture_cmyk.jpg
