#!/usr/bin/env bash
# bench/show_run.sh [12mp|24mp|48mp|ending|power] : the show's benchmarks on a 1920x1080 screen under
# Wine, today's build (Lumiroll.scr built from LUMIROLL_TODAY_COMMIT, by default bd53f24, the show
# before its background loader, into build/bench-today-COMMIT) beside this tree's (build/win):
#   lumiroll_bench_show         lateness, Up and Down, peak working set, start-up, idle processor;
#                               makes the photographs once (build/show-photos)
#   lumiroll_bench_show_ending  a key, a click or a movement to the window hidden and the process
#                               gone, with and without a read that stalls (a folder through FUSE)
#   lumiroll_bench_show_power   the show with the display off (screen changes; decodes and paints
#                               counted by LumirollCounting.scr) and its time at 1 ms timer precision
#   lumiroll_bench_show_start   /s to the screen covered (from outside, and inside the counting
#                               build), a key during a stalled listing, the first photograph of
#                               32,767 files, the settings dialog on a stalled listing; today's
#                               build from LUMIROLL_START_TODAY_COMMIT (e0f4eec, before the cover
#                               came first)
# A size runs only the first, at that size; "ending" only the second; "power" only the third;
# "start" only the fourth.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
only=${1:-}
today_commit=${LUMIROLL_TODAY_COMMIT:-bd53f24}
[ "$only" = start ] && today_commit=${LUMIROLL_START_TODAY_COMMIT:-e0f4eec}
today_src=$here/build/bench-today-src-$today_commit
today_build=$here/build/bench-today-$today_commit
photos=$here/build/show-photos
if [ ! -f "$today_build/bin/Lumiroll.scr" ]; then
  rm -rf "$today_src" && mkdir -p "$today_src/build"
  git -C "$here" archive "$today_commit" | tar -x -C "$today_src"
  ln -sfn "$(readlink -f "$here/build/third_party")" "$today_src/build/third_party"
  "$today_src/scripts/build.sh" win "$today_build" --target lumiroll_scr
fi
"$here/scripts/build.sh" win "$here/build/win" --target lumiroll_scr --target lumiroll_bench_show \
  --target lumiroll_bench_show_ending --target lumiroll_scr_counting --target lumiroll_bench_show_power \
  --target lumiroll_bench_show_start
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
today=$(windows_path "$today_build/bin/Lumiroll.scr")
ours=$(windows_path "$here/build/win/bin/Lumiroll.scr")
counting=$(windows_path "$here/build/win/bin/LumirollCounting.scr")
if [ "$only" = power ]; then
  LUMIROLL_SCREEN=1920x1080x24 "$here/scripts/with-wine.sh" wine "$here/build/win/bin/lumiroll_bench_show_power.exe" \
    "$today" "$ours" "$counting"
  exit
fi
if [ "$only" = start ]; then
  large=$here/build/show-start-32767
  if [ ! -d "$large" ]; then  # 32,766 empty files after a.bmp, which the benchmark writes
    mkdir -p "$large" && (cd "$large" && seq -f 'p%05g.bmp' 1 32766 | xargs touch)
  fi
  LUMIROLL_SCREEN=1920x1080x24 "$here/scripts/with-wine.sh" wine "$here/build/win/bin/lumiroll_bench_show_start.exe" \
    "$today" "$ours" "$counting" "$(windows_path "$large")"
  exit
fi
if [ "$only" != ending ]; then
  "$here/bench/make_show_photos.sh" "$photos" >/dev/null
  LUMIROLL_SCREEN=1920x1080x24 "$here/scripts/with-wine.sh" wine "$here/build/win/bin/lumiroll_bench_show.exe" \
    "$today" "$ours" "$(windows_path "$photos")" "$only"
fi
if [ -z "$only" ] || [ "$only" = ending ]; then
  LUMIROLL_SCREEN=1920x1080x24 "$here/scripts/with-wine.sh" wine "$here/build/win/bin/lumiroll_bench_show_ending.exe" \
    "$today" "$ours"
fi
