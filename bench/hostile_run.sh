#!/usr/bin/env bash
# bench/hostile_run.sh [BASELINE-COMMIT] : makes the hostile files (once), builds the hostile-file
# benchmark from this tree and, beside it, from the baseline commit (default 537d1dd, the loader
# before pictures were bounded), and runs both under Wine.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
base=${1:-537d1dd}
files=$here/build/hostile-files
python3 "$here/bench/make_hostile_files.py" "$files"

"$here/scripts/build.sh" win "$here/build/bench-win" --target lumiroll_bench_hostile

# The baseline: the commit's own loader, with this benchmark's source added to it.
src=$here/build/hostile-base/src
if [ ! -f "$src/.commit" ] || [ "$(cat "$src/.commit")" != "$base" ]; then
  rm -rf "$src"; mkdir -p "$src/build"
  git -C "$here" archive "$base" | tar -x -C "$src"
  ln -s "$here/build/third_party" "$src/build/third_party"
  echo "$base" > "$src/.commit"
fi
cp "$here/bench/hostile_bench.cpp" "$here/bench/child_process.h" "$here/bench/child_process.cpp" "$src/bench/"
# The baseline keeps the resampler under saver/ and has one platform library: the benchmark's
# include and target are made to fit it here, not hedged for in the benchmark's source.
[ -f "$src/platform/stretch_pixels.h" ] ||
  printf '#pragma once\n#include "saver/stretch_pixels.h"\n' > "$src/platform/stretch_pixels.h"
if ! git -C "$here" show "$base:bench/CMakeLists.txt" | grep -q lumiroll_bench_hostile; then
  { git -C "$here" show "$base:bench/CMakeLists.txt"
    echo 'add_executable(lumiroll_bench_hostile hostile_bench.cpp child_process.cpp)'
    echo 'target_link_libraries(lumiroll_bench_hostile PRIVATE lumiroll_platform psapi)'
    echo 'target_link_options(lumiroll_bench_hostile PRIVATE -municode)'
  } > "$src/bench/CMakeLists.txt"
fi
"$src/scripts/build.sh" win "$src/build/win" --target lumiroll_bench_hostile

echo "== today"
"$here/scripts/with-wine.sh" wine "$here/build/bench-win/bin/lumiroll_bench_hostile.exe" "Z:$files"
echo "== baseline $base"
"$here/scripts/with-wine.sh" wine "$src/build/win/bin/lumiroll_bench_hostile.exe" "Z:$files"
