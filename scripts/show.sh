#!/usr/bin/env bash
# Builds Lumiroll and runs the screen saver's show (/s) under Wine on the sample photographs.
# With a working display (DISPLAY set) the show runs there until you press a key or move the
# mouse. Without one it runs for a short while on a private Xvfb display and saves a screenshot
# of each photograph shown into a folder whose name it prints at the end.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${LUMIROLL_BUILD_DIR:-$here/build/win}
prefix=${LUMIROLL_SHOW_PREFIX:-$here/build/show-prefix}
seconds=3   # display time of each photograph in the headless run

"$here/scripts/setup.sh"
"$here/scripts/build.sh" win "$build"

export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb_pid=""
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A private display when the user's is missing or does not answer.
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  for n in $(seq 90 190); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    if kill -0 "$xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then export DISPLAY=":$n"; break; fi
    xvfb_pid=""
  done
  [ -n "$xvfb_pid" ] || { echo "show: no free X display for Xvfb" >&2; exit 1; }
fi

if [ ! -f "$prefix/system.reg" ]; then
  echo "show: preparing the Wine prefix $prefix (once)"
  mkdir -p "$prefix"
  wineboot -i >/dev/null 2>&1 || true
fi
wineserver -w

# The sample photographs in a folder of the prefix's C: drive, and the settings pointing there.
rm -rf "$prefix/drive_c/Lumiroll Photos"
mkdir -p "$prefix/drive_c/Lumiroll Photos"
cp "$here"/assets/photos/*.jpg "$prefix/drive_c/Lumiroll Photos/"
store() { wine reg add 'HKCU\Software\Lumiroll\Settings' /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1; }
store PhotoDisplayTime "$seconds"
store PhotoSize 1         # Fit Screen
store PhotoDirectory 'C:\Lumiroll Photos'
store PhotoOrder 1        # Alphabetic

saver="$build/bin/Lumiroll.scr"
if [ -z "$xvfb_pid" ]; then
  echo "show: Lumiroll on $DISPLAY; press a key or move the mouse to end it"
  wine "$saver" /s
  exit 0
fi

shots="$here/build/show-screenshots-$(date +%Y%m%d-%H%M%S)"
mkdir -p "$shots"
wine "$saver" /s &
# A small fingerprint of a screenshot: it changes when the next photograph is painted.
fingerprint() { convert "$1" -scale '32x24!' -depth 8 rgb:- 2>/dev/null | md5sum | cut -d' ' -f1; }
frame="$shots/.frame.miff"
convert -size 1024x768 xc:black "$frame"
black=$(fingerprint "$frame")
count=$(ls "$prefix/drive_c/Lumiroll Photos" | wc -l)
last=$black
for i in $(seq "$count"); do
  for _ in $(seq 100); do   # at most about 20 s for the next photograph
    import -window root "$frame" 2>/dev/null || true
    now=$(fingerprint "$frame")
    if [ "$now" != "$last" ] && [ "$now" != "$black" ]; then break; fi
    sleep 0.2
  done
  sleep 0.3
  import -window root "$shots/photo-$i.png"
  last=$(fingerprint "$shots/photo-$i.png")
done
rm -f "$frame"
echo "show: $count photographs shown, $seconds s each; screenshots in $shots"
