#!/usr/bin/env bash
# bench/show_run.sh : the show-timing benchmark on a 1920x1080 screen under Wine, today's path
# (Lumiroll.scr built from commit 537d1dd, the last before decode ahead, into build/bench-today)
# beside this tree's build (build/win). Makes the photographs once (build/show-photos).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
today_commit=${LUMIROLL_TODAY_COMMIT:-537d1dd}
today_src=$here/build/bench-today-src
today_build=$here/build/bench-today
photos=$here/build/show-photos
if [ ! -f "$today_build/bin/Lumiroll.scr" ]; then
  rm -rf "$today_src" && mkdir -p "$today_src/build"
  git -C "$here" archive "$today_commit" | tar -x -C "$today_src"
  ln -sfn "$(readlink -f "$here/build/third_party")" "$today_src/build/third_party"
  "$today_src/scripts/build.sh" win "$today_build" --target lumiroll_scr
fi
"$here/scripts/build.sh" win "$here/build/win" --target lumiroll_scr --target lumiroll_bench_show
"$here/bench/make_show_photos.sh" "$photos" >/dev/null
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
LUMIROLL_SCREEN=1920x1080x24 "$here/scripts/with-wine.sh" wine "$here/build/win/bin/lumiroll_bench_show.exe" \
  "$(windows_path "$today_build/bin/Lumiroll.scr")" "$(windows_path "$here/build/win/bin/Lumiroll.scr")" \
  "$(windows_path "$photos")" "${1:-}"
