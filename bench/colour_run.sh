#!/usr/bin/env bash
# bench/colour_run.sh [RUNS] : colour error and cost of colour-managed photographs.
#  - Error: test photographs tagged Adobe RGB (1998), ProPhoto RGB, Wide Gamut RGB, Display P3, a
#    greyscale and a CMYK one, each with its profile embedded; our loader's pixels (full size,
#    to sRGB) against ImageMagick's LittleCMS conversion of the same file (perceptual), as
#    CIEDE2000 mean and maximum (targets: under 1 and under 3).
#  - Cost: the 24 MP benchmark photograph fitted to 1920x1080, without and with an Adobe RGB
#    profile (the same JPEG data): target no more than 10% slower.
# Needs ImageMagick, colord-data (scripts/setup.sh). Build folder: $LUMIROLL_BENCH_BUILD.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${LUMIROLL_BENCH_BUILD:-$here/build/bench-win}
photos=$here/build/bench-photos
work=$here/build/colour-bench
colord=/usr/share/color/icc/colord
mkdir -p "$work"
"$here/scripts/build.sh" win "$build" --target colour_bench >/dev/null
g++ -O2 -std=c++20 -o "$work/delta_e" "$here/bench/delta_e.cpp"
"$here/bench/make_bench_photos.sh" "$photos" >/dev/null
python3 "$here/tests/win/data/make_profiles.py" "$work"

# A photograph-like picture (smooth shapes and fine noise, saturated colours), 4:4:4 so both
# decoders upsample nothing.
base=$work/base.png
[ -f "$base" ] || convert -size 200x150 plasma:fractal -seed 7 -blur 0x1 -resize 1600x1200! \
  -modulate 100,160 -attenuate 0.4 +noise Gaussian "$base"
convert "$base" -sampling-factor 1x1 -quality 95 "$work/rgb.jpg"
convert "$base" -colorspace Gray -type Grayscale -quality 95 "$work/grey.jpg"
convert "$base" -colorspace CMYK -sampling-factor 1x1 -quality 95 "$work/cmyk.jpg"
cases=(
  "Adobe RGB (1998)|rgb.jpg|$colord/AdobeRGB1998.icc"
  "ProPhoto RGB|rgb.jpg|$colord/ProPhotoRGB.icc"
  "Wide Gamut RGB|rgb.jpg|$colord/WideGamutRGB.icc"
  "Display P3|rgb.jpg|$work/display_p3.icc"
  "greyscale, gamma 1.8|grey.jpg|$work/grey18.icc"
  "CMYK (lookup table)|cmyk.jpg|$work/cmyk_simple.icc"
)
printf '%-24s %10s %10s\n' "profile" "mean dE00" "max dE00"
for entry in "${cases[@]}"; do
  IFS='|' read -r name jpeg profile <<<"$entry"
  tagged=$work/tagged.jpg
  python3 "$here/bench/embed_profile.py" "$work/$jpeg" "$profile" "$tagged"
  convert "$tagged" -intent Perceptual -profile "$colord/sRGB.icc" -colorspace sRGB -type TrueColor -depth 8 \
    "ppm:$work/reference.ppm"
  "$here/scripts/with-wine.sh" wine "$build/bin/colour_bench.exe" dump "Z:$tagged" "Z:$work/ours.ppm" >/dev/null 2>&1
  read -r mean worst < <("$work/delta_e" "$work/ours.ppm" "$work/reference.ppm")
  printf '%-24s %10s %10s\n' "$name" "$mean" "$worst"
done

python3 "$here/bench/embed_profile.py" "$photos/photo_24mp.jpg" "$colord/AdobeRGB1998.icc" "$work/photo_24mp_adobergb.jpg"
echo
"$here/scripts/with-wine.sh" wine "$build/bin/colour_bench.exe" time "Z:$photos/photo_24mp.jpg" \
  "Z:$work/photo_24mp_adobergb.jpg" "${1:-9}" 2>/dev/null
