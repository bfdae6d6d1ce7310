#!/usr/bin/env bash
# tests/fuzz/make_corpus.sh : remakes the seed corpora in tests/fuzz/corpus/<harness>/ (committed;
# run again only to change the seeds). Findings live in tests/fuzz/regressions/<harness>/ and are
# never remade. Needs cjpeg (libjpeg-turbo-progs), ImageMagick and Python 3.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
corpus=$here/corpus
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
rm -rf "$corpus"; mkdir -p "$corpus"/{jpeg,exif,sniff,resample}

# A small photograph-like picture, and a flat one.
convert -size 48x32 plasma:fractal -seed 7 "$work/small.ppm"
convert -size 40x24 xc:gray60 "$work/flat.ppm"

# JPEG codings, each as the file alone; the harness takes its first four bytes as the bound.
jpeg() { cjpeg "$@" "$work/small.ppm"; }
jpeg > "$work/baseline.jpg"
jpeg -progressive > "$work/progressive.jpg"
jpeg -arithmetic > "$work/arithmetic.jpg"
jpeg -progressive -arithmetic > "$work/progressive_arithmetic.jpg"
jpeg -grayscale -progressive > "$work/grey_progressive.jpg"
jpeg -restart 1 > "$work/restart.jpg"
jpeg -sample 1x1 > "$work/444.jpg"
jpeg -sample 2x1 > "$work/422.jpg"
cjpeg -progressive "$work/flat.ppm" > "$work/flat_progressive.jpg"
convert "$work/small.ppm" -colorspace CMYK -quality 90 "$work/cmyk.jpg"
python3 "$here/seed_writers.py" jpeg "$work" "$corpus/jpeg" "$corpus/exif"
python3 "$here/seed_writers.py" bmp "$work" "$corpus/sniff"

# BMPs from ImageMagick too: the old core header, version 3 with run-length coding, version 5.
convert "$work/small.ppm" -colors 16 -compress RLE bmp3:"$corpus/sniff/im_rle.bmp"
convert "$work/small.ppm" bmp2:"$corpus/sniff/im_core_header.bmp"
convert "$work/small.ppm" -alpha on bmp:"$corpus/sniff/im_v5_32bit.bmp"
convert "$work/small.ppm" "$corpus/sniff/im.gif"
convert "$work/small.ppm" "$corpus/sniff/im.ico"

# Our BMP and icon decoders: ImageMagick's headers, codings and masks, then the writer's own.
mkdir -p "$corpus/bitmap" "$work/bitmap"
bmp() {  # name format [options]
  local name=$1 format=$2; shift 2
  convert "$work/small.ppm" "$@" "$format:$work/bitmap/$name"
}
bmp core.bmp bmp2
bmp core_4bit.bmp bmp2 -colors 16
bmp bits1.bmp bmp3 -colors 2
bmp bits4.bmp bmp3 -colors 16
bmp bits8.bmp bmp3 -colors 200
bmp bits24.bmp bmp3 -type truecolor
bmp rle8.bmp bmp3 -colors 16 -compress RLE
for subtype in RGB555 RGB565; do bmp $subtype.bmp bmp -define bmp:subtype=$subtype; done
for subtype in ARGB4444 ARGB1555 RGBA8888; do bmp $subtype.bmp bmp -alpha on -define bmp:subtype=$subtype; done
bmp bmp3_RGB565.bmp bmp -define bmp:format=bmp3 -define bmp:subtype=RGB565  # BITFIELDS, its masks left out
bmp v4.bmp bmp -define bmp:format=bmp4 -alpha on
bmp v5_32bit.bmp bmp -alpha on
bmp v5_4bit.bmp bmp -colors 16
bmp icon.ico ico -define icon:auto-resize=48,32,16
bmp icon_half_clear.ico ico -alpha on -channel A -fx 'i<24?0:1' +channel -define icon:auto-resize=32
python3 "$here/seed_writers.py" bitmap "$work" "$corpus/bitmap"

# GIFs from ImageMagick: plain, interlaced, two colours, a transparent index, a first image smaller
# than its screen, two images; the writer adds a copy without colour table and huge declarations.
mkdir -p "$corpus/gif" "$work/gif"
convert "$work/small.ppm" "$work/gif/plain.gif"
convert "$work/small.ppm" -interlace GIF "$work/gif/interlaced.gif"
convert "$work/small.ppm" -monochrome "$work/gif/two_colours.gif"
convert -size 20x10 xc:none -fill blue -draw "rectangle 5,2 14,7" "$work/gif/transparent.gif"
convert -size 20x10 xc:blue -repage 48x32+10+8 "$work/gif/offset.gif"
convert "$work/small.ppm" "$work/flat.ppm" -loop 0 "$work/gif/two_images.gif"
python3 "$here/seed_writers.py" gif "$work/gif" "$corpus/gif"

python3 "$here/seed_writers.py" resample "$work" "$corpus/resample"
"$here/make_colour_corpus.sh" >/dev/null  # the colour harness's seeds, and tagged JPEGs
echo "seeds: $(find "$corpus" -type f | wc -l) files"
