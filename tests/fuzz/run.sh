#!/usr/bin/env bash
# tests/fuzz/run.sh [SECONDS] : builds the libFuzzer harnesses natively with clang, replays each
# over its seed corpus and its regressions, then fuzzes each for SECONDS (default 30), two at a
# time. Fails on any finding; a finding is left in build/fuzz/findings/ (copy it into
# tests/fuzz/regressions/<harness>/ once mended, so it is replayed for good).
#   A longer run: tests/fuzz/run.sh 3600
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-30}
build=$here/build/fuzz
harnesses=(jpeg resample exif sniff colour)
harnesses+=(bitmap)  # our own BMP and icon decoders
harnesses+=(gif)

[ -f "$build/build.ninja" ] || CC=clang-14 CXX=clang++-14 cmake -S "$here/tests/fuzz" -B "$build" -G Ninja >/dev/null
cmake --build "$build" >/dev/null
rm -rf "$build/findings" "$build/scratch"; mkdir -p "$build/findings"

fuzz() {  # harness: replay the seeds and regressions, then fuzz from a scratch copy of them
  local h=$1 scratch=$build/scratch/$1 options=(-rss_limit_mb=2560 -timeout=10 -artifact_prefix="$build/findings/$1-")
  mkdir -p "$scratch"
  "$build/fuzz_$h" "${options[@]}" -runs=0 "$here/tests/fuzz/corpus/$h" "$here/tests/fuzz/regressions/$h" \
    > "$build/$h.log" 2>&1 &&
  "$build/fuzz_$h" "${options[@]}" -max_total_time="$seconds" "$scratch" \
    "$here/tests/fuzz/corpus/$h" "$here/tests/fuzz/regressions/$h" >> "$build/$h.log" 2>&1
}

status=0
for ((i = 0; i < ${#harnesses[@]}; i += 2)); do
  pids=()
  for h in "${harnesses[@]:i:2}"; do fuzz "$h" & pids+=("$!:$h"); done
  for p in "${pids[@]}"; do
    if wait "${p%%:*}"; then echo "fuzz ${p#*:}: $(grep -Eo 'Done [0-9]+ runs' "$build/${p#*:}.log" | tail -n 1)"
    else echo "fuzz ${p#*:}: FINDING (see $build/${p#*:}.log)"; tail -n 30 "$build/${p#*:}.log"; status=1; fi
  done
done
ls "$build/findings" | sed 's/^/  finding: /'
exit $status
