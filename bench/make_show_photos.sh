#!/usr/bin/env bash
# bench/make_show_photos.sh DIR : makes the show benchmark's folders in DIR, once:
#   show_{12,24,48}mp/photo_{1,2,3}.jpg  three camera-like photographs of each size (smooth shapes
#   plus sensor-like noise, JPEG quality 92, 4:2:0), each from its own seed, so the screen changes
#   at every photograph.
set -euo pipefail
dir=${1:?output folder}
make_folder() {  # name width height
  local name=$1 w=$2 h=$3 seed
  mkdir -p "$dir/show_$name"
  for seed in 1 2 3; do
    local out="$dir/show_$name/photo_$seed.jpg"
    [ -f "$out" ] && continue
    convert -size $((w / 8))x$((h / 8)) -seed "$seed" plasma:fractal -blur 0x1 \
            -resize "${w}x${h}!" -attenuate 0.6 +noise Gaussian \
            -quality 92 -sampling-factor 2x2 "jpg:$out.part"
    mv "$out.part" "$out"
  done
}
make_folder 12mp 4000 3000
make_folder 24mp 6000 4000
make_folder 48mp 8000 6000
ls -lR "$dir" | grep jpg
