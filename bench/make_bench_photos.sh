#!/usr/bin/env bash
# bench/make_bench_photos.sh DIR : makes the picture benchmark's inputs in DIR, once:
#   photo_{12,24,48}mp.jpg  camera-like photographs (smooth shapes plus sensor-like noise, so they
#                            decode like real ones, JPEG quality 92, 4:2:0)
#   ref_{12,24,48}mp.ppm    each fitted into 1920x1080 by ImageMagick's Lanczos filter: the
#                            reference that every method's result is compared with
#   photo_24mp.bmp          the 24 MP photograph as a 24-bit BMP
#   photo_12mp.gif          the 12 MP photograph in 256 colours, dithered, as a GIF
set -euo pipefail
dir=${1:?output folder}
mkdir -p "$dir"
make_photo() {  # name width height
  local name=$1 w=$2 h=$3
  [ -f "$dir/photo_$name.jpg" ] && [ -f "$dir/ref_$name.ppm" ] && return
  convert -size $((w / 8))x$((h / 8)) plasma:fractal -seed 42 -blur 0x1 \
          -resize "${w}x${h}!" -attenuate 0.6 +noise Gaussian \
          -quality 92 -sampling-factor 2x2 "$dir/photo_$name.jpg"
  convert "$dir/photo_$name.jpg" -filter Lanczos -resize 1920x1080 -depth 8 "$dir/ref_$name.ppm"
}
make_photo 12mp 4000 3000
make_photo 24mp 6000 4000
make_photo 48mp 8000 6000
# The 24 MP photograph as a 24-bit BMP and the 12 MP one as a GIF, for the format benchmark.
[ -f "$dir/photo_24mp.bmp" ] || convert "$dir/photo_24mp.jpg" -type truecolor bmp3:"$dir/photo_24mp.bmp"
[ -f "$dir/photo_12mp.gif" ] || convert "$dir/photo_12mp.jpg" -colors 256 "$dir/photo_12mp.gif"
ls -l "$dir"
