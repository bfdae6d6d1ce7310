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
cp "$here/bench/hostile_bench.cpp" "$src/bench/"
grep -q lumiroll_bench_hostile "$src/bench/CMakeLists.txt" ||
  sed -n '/^# Hostile files/,$p' "$here/bench/CMakeLists.txt" >> "$src/bench/CMakeLists.txt"
"$src/scripts/build.sh" win "$src/build/win" --target lumiroll_bench_hostile

echo "== today"
"$here/scripts/with-wine.sh" wine "$here/build/bench-win/bin/lumiroll_bench_hostile.exe" "Z:$files"
echo "== baseline $base"
"$here/scripts/with-wine.sh" wine "$src/build/win/bin/lumiroll_bench_hostile.exe" "Z:$files"
