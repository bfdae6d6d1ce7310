#!/usr/bin/env bash
# bench/run.sh [RUNS] : builds the picture benchmark, makes its photographs (once) and runs it under
# Wine. Build folder: $LUMIROLL_BENCH_BUILD (default build/bench-win).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${LUMIROLL_BENCH_BUILD:-$here/build/bench-win}
photos=$here/build/bench-photos
"$here/scripts/build.sh" win "$build" --target picture_bench
"$here/bench/make_bench_photos.sh" "$photos" >/dev/null
"$here/scripts/with-wine.sh" wine "$build/bin/picture_bench.exe" "Z:$photos" "${1:-5}"
