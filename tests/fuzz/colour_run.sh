#!/usr/bin/env bash
# tests/fuzz/colour_run.sh [SECONDS] : builds the colour-profile harness natively with clang
# (libFuzzer, ASan, UBSan; LittleCMS from the system), replays its seeds and regressions, then
# fuzzes for SECONDS (default 30). Fails on any finding, left in build/fuzz-colour/findings/.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-30}
build=$here/build/fuzz-colour
mkdir -p "$build" "$here/tests/fuzz/regressions/colour"
rm -rf "$build/findings" "$build/scratch"; mkdir -p "$build/findings" "$build/scratch"
clang++-14 -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer \
  -I"$here" "$here/tests/fuzz/colour_fuzz.cpp" "$here/platform/win32/colour_transform.cpp" \
  "$here/platform/win32/matrix_shaper_transform.cpp" -llcms2 -o "$build/fuzz_colour"
options=(-rss_limit_mb=2560 -timeout=10 -artifact_prefix="$build/findings/colour-")
corpus=("$here/tests/fuzz/corpus/colour" "$here/tests/fuzz/regressions/colour")
"$build/fuzz_colour" "${options[@]}" -runs=0 "${corpus[@]}" > "$build/colour.log" 2>&1 &&
  "$build/fuzz_colour" "${options[@]}" -max_total_time="$seconds" "$build/scratch" "${corpus[@]}" >> "$build/colour.log" 2>&1 ||
  { echo "fuzz colour: FINDING (see $build/colour.log)"; tail -n 30 "$build/colour.log"; exit 1; }
echo "fuzz colour: $(grep -Eo 'Done [0-9]+ runs' "$build/colour.log" | tail -n 1)"
