#!/usr/bin/env bash
# bench/run.sh [RUNS] : builds the picture benchmark and the format benchmark, makes their photographs
# (once) and runs them under Wine. Build folder: $LUMIROLL_BENCH_BUILD (default build/bench-win).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${LUMIROLL_BENCH_BUILD:-$here/build/bench-win}
photos=$here/build/bench-photos
"$here/scripts/build.sh" win "$build" --target picture_bench lumiroll_bench_formats
"$here/bench/make_bench_photos.sh" "$photos" >/dev/null
"$here/scripts/with-wine.sh" wine "$build/bin/picture_bench.exe" "Z:$photos" "${1:-5}"
"$here/scripts/with-wine.sh" wine "$build/bin/lumiroll_bench_formats.exe" "Z:$photos/photo_24mp.bmp" "${1:-5}"
"$here/scripts/with-wine.sh" wine "$build/bin/lumiroll_bench_formats.exe" "Z:$photos/photo_12mp.gif" "${1:-5}"
