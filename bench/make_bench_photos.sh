#!/usr/bin/env bash
# bench/make_bench_photos.sh DIR : makes the picture benchmark's inputs in DIR, once:
#   photo_{12,24,48}mp.jpg  camera-like photographs (smooth shapes plus sensor-like noise, so they
#                            decode like real ones, JPEG quality 92, 4:2:0); photo_17mp.jpg is
#                            5000 x 3333, whose fitted width has a fraction below one half
#   ref_{12,24,48,17}mp.ppm each reduced by ImageMagick's Lanczos filter to the size the show
#                            draws it fitted into 1920x1080: the reference every method is compared with
#   photo_24mp.bmp          the 24 MP photograph as a 24-bit BMP
#   photo_12mp.gif          the 12 MP photograph in 256 colours, dithered, as a GIF
set -euo pipefail
dir=${1:?output folder}
mkdir -p "$dir"
make_photo() {  # name width height [drawn size, when ImageMagick's rounding differs]
  local name=$1 w=$2 h=$3 drawn=${4:-1920x1080}
  [ -f "$dir/photo_$name.jpg" ] && [ -f "$dir/ref_$name.ppm" ] && return
  convert -size $((w / 8))x$((h / 8)) plasma:fractal -seed 42 -blur 0x1 \
          -resize "${w}x${h}!" -attenuate 0.6 +noise Gaussian \
          -quality 92 -sampling-factor 2x2 "$dir/photo_$name.jpg"
  convert "$dir/photo_$name.jpg" -filter Lanczos -resize "$drawn" -depth 8 "$dir/ref_$name.ppm"
}
make_photo 12mp 4000 3000
make_photo 24mp 6000 4000
make_photo 48mp 8000 6000
# Drawn 1621 x 1080: 1620.16 rounds up, as PaintPhoto rounds sizes.
make_photo 17mp 5000 3333 1621x1080!
# The 24 MP photograph as a 24-bit BMP and the 12 MP one as a GIF, for the format benchmark.
[ -f "$dir/photo_24mp.bmp" ] || convert "$dir/photo_24mp.jpg" -type truecolor bmp3:"$dir/photo_24mp.bmp"
[ -f "$dir/photo_12mp.gif" ] || convert "$dir/photo_12mp.jpg" -colors 256 "$dir/photo_12mp.gif"
ls -l "$dir"
