#!/usr/bin/env bash
# bench/image_list_run.sh : builds the image-list benchmark, makes folders of 32,767 and 40,000
# image files (once, from Linux: fast) and times BuildImageList on them under Wine.
# Build folder: $LUMIROLL_BENCH_BUILD (default build/bench-win).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${LUMIROLL_BENCH_BUILD:-$here/build/bench-win}
folders=$here/build/bench-image-list
"$here/scripts/build.sh" win "$build" --target lumiroll_bench_image_list
extensions=(.jpg .JPG .gif .bmp .Jpg .emf .ico .jif)
for count in 32767 40000; do
  folder=$folders/$count
  if [ "$(ls "$folder" 2>/dev/null | wc -l)" != "$count" ]; then
    rm -rf "$folder" && mkdir -p "$folder"
    # Camera-like names in a scrambled order and mixed case, across the eight extensions.
    (cd "$folder" && for ((i = 0; i < count; i++)); do
      prefix=IMG; (( i % 3 )) || prefix=dsc
      printf '%s_%05u%s\0' "$prefix" $(( i * 7919 % 40009 )) "${extensions[i % 8]}"
    done | xargs -0 touch)
  fi
done
"$here/scripts/with-wine.sh" wine "$build/bin/lumiroll_bench_image_list.exe" "Z:$folders/32767" "Z:$folders/40000"
