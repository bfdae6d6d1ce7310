#!/usr/bin/env bash
# Makes the colour-managed pictures the loader tests read: the four quadrants of
# make_test_pictures.sh (grey levels 60, 110, 170, 230 for the greyscale one) with an embedded
# ICC profile, 4:4:4 so every quadrant decodes flat. Prints each quadrant's colour as
# ImageMagick's LittleCMS conversion to sRGB gives it (perceptual): the tests' expected values.
# Needs ImageMagick and Debian's colord-data.
set -euo pipefail
cd "$(dirname "$0")"
colord=/usr/share/color/icc/colord
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
./make_profiles.py .
q() {  # width height colours... output
  convert \( -size 32x24 xc:"$1" -size 32x24 xc:"$2" +append \) \
          \( -size 32x24 xc:"$3" -size 32x24 xc:"$4" +append \) -append "$5"
}
q 'rgb(200,40,40)' 'rgb(40,160,40)' 'rgb(40,40,200)' 'rgb(220,200,40)' "$tmp/q.png"
q 'gray(60)' 'gray(110)' 'gray(170)' 'gray(230)' "$tmp/g.png"
tagged() {  # input profile output [convert options]
  convert "$1" "${@:4}" -sampling-factor 1x1 -quality 95 "$tmp/plain.jpg"
  convert "$tmp/plain.jpg" -profile "$2" "$3"
}
tagged "$tmp/q.png" "$colord/AdobeRGB1998.icc" picture_adobergb.jpg
tagged "$tmp/q.png" "$colord/ProPhotoRGB.icc" picture_prophoto.jpg
tagged "$tmp/q.png" "$colord/SwappedRedAndGreen.icc" picture_swapped.jpg
tagged "$tmp/q.png" display_p3.icc picture_p3.jpg
tagged "$tmp/g.png" grey18.icc picture_grey.jpg -colorspace Gray -type Grayscale
tagged "$tmp/q.png" cmyk_simple.icc picture_cmyk_profile.jpg -colorspace CMYK
# One colour, for the show's screen: untagged, and tagged with the profile that swaps red and green.
convert -size 64x48 xc:'rgb(200,40,40)' -sampling-factor 1x1 -quality 95 solid_red.jpg
convert solid_red.jpg -profile "$colord/SwappedRedAndGreen.icc" solid_red_swapped.jpg
for f in picture_{adobergb,prophoto,swapped,p3,grey,cmyk_profile} solid_red_swapped; do
  printf '%s:' "$f"
  for xy in 16,12 48,12 16,36 48,36; do
    convert $f.jpg -intent Perceptual -profile "$colord/sRGB.icc" -colorspace sRGB -type TrueColor \
      -format "  (%[fx:int(255*p{$xy}.r+0.5)],%[fx:int(255*p{$xy}.g+0.5)],%[fx:int(255*p{$xy}.b+0.5)])" info:
  done
  echo
done
