#!/usr/bin/env bash
# tests/fuzz/run.sh [SECONDS] : builds the libFuzzer harnesses natively with clang, replays each
# over its seed corpus and its regressions, then fuzzes each for SECONDS (default 30; 0 replays
# only), two at a time, and says how many inputs a second each explored. Fails on any finding; a
# finding is left in build/fuzz/findings/ (copy it into tests/fuzz/regressions/<harness>/ once
# mended, so it is replayed for good). scripts/test.sh runs it short (5 s).
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
    > "$build/$h.log" 2>&1 || return 1
  [ "$seconds" -gt 0 ] || return 0
  # The scratch corpus is listed first: what the run finds goes there, not into the sources.
  "$build/fuzz_$h" "${options[@]}" -max_total_time="$seconds" -print_final_stats=1 "$scratch" \
    "$here/tests/fuzz/corpus/$h" "$here/tests/fuzz/regressions/$h" >> "$build/$h.log" 2>&1
}

rate() {  # harness: the inputs explored and their rate, from libFuzzer's final statistics
  local log=$build/$1.log runs secs
  runs=$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$log" | tail -n 1 | grep -Eo '[0-9]+$')
  secs=$(grep -Eo 'Done [0-9]+ runs in [0-9]+ second' "$log" | tail -n 1 | grep -Eo '[0-9]+ second' | grep -Eo '[0-9]+')
  if [ -n "$runs" ] && [ -n "$secs" ] && [ "$secs" -gt 0 ]; then echo "$runs inputs in $secs s, $((runs / secs))/s"
  else echo "seeds and regressions replayed"; fi
}

status=0
for ((i = 0; i < ${#harnesses[@]}; i += 2)); do
  pids=()
  for h in "${harnesses[@]:i:2}"; do fuzz "$h" & pids+=("$!:$h"); done
  for p in "${pids[@]}"; do
    if wait "${p%%:*}"; then echo "fuzz ${p#*:}: $(rate "${p#*:}")"
    else echo "fuzz ${p#*:}: FINDING (see $build/${p#*:}.log)"; tail -n 30 "$build/${p#*:}.log"; status=1; fi
  done
done
ls "$build/findings" | sed 's/^/  finding: /'
exit $status
