#!/usr/bin/env bash
# scripts/with-wine.sh COMMAND... : runs COMMAND with a private X display (Xvfb) and a fresh
# 64-bit Wine prefix in a temporary folder, then stops what it started and removes the prefix.
# An existing DISPLAY is not used unless LUMIROLL_USE_DISPLAY=1.
#
# Options, as environment variables:
#   LUMIROLL_SCREEN    the Xvfb screen, WxHxDEPTH (1024x768x24); with monitors, their bounding box
#   LUMIROLL_MONITORS  monitors on the screen, "WxH+X+Y" each, space separated, the primary
#                      marked with a leading "*", e.g. "*1024x768+800+600 800x600+0+700"
#   LUMIROLL_DPI       the system DPI Wine reports (LogPixels): 96, 120, 144, 192 ...
#   LUMIROLL_PREFIX_TEMPLATE  a folder with a booted prefix to copy (booted into it when empty)
#   LUMIROLL_MODES     further resolutions the screen can be switched to, "WxH" each, space
#                      separated, no larger than the screen (a program changes to them through
#                      ChangeDisplaySettingsEx; Wine lists them only if they exist before it starts)
set -uo pipefail
monitors=${LUMIROLL_MONITORS:-}
dpi=${LUMIROLL_DPI:-}

# The bounding box of the monitors, as the screen they share.
monitor_screen() {
  local right=0 bottom=0 m w h x y
  for m in $monitors; do
    IFS='x+' read -r w h x y <<<"${m#\*}"
    (( x + w > right )) && right=$((x + w))
    (( y + h > bottom )) && bottom=$((y + h))
  done
  echo "${right}x${bottom}x24"
}

if [ -n "$monitors" ]; then screen=$(monitor_screen); else screen=${LUMIROLL_SCREEN:-1024x768x24}; fi

prefix=$(mktemp -d /tmp/lumiroll-wine.XXXXXX)
xvfb_pid=""
cleanup() {
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$prefix"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# True when display :$1 is up and is our Xvfb's: the lock an X server takes holds its process id.
# Two runs starting at once may both try a display; the one that lost sees the other's socket.
owns_display() {
  local owner=""
  read -r owner 2>/dev/null <"/tmp/.X$1-lock"
  [ "$owner" = "$xvfb_pid" ] && [ -e "/tmp/.X11-unix/X$1" ]
}

if [ "${LUMIROLL_USE_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
  display=""
  for n in $(seq 90 190); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    # -noreset: without it the monitors vanish whenever the last client leaves.
    Xvfb ":$n" -screen 0 "$screen" -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      owns_display "$n" && break
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 "$xvfb_pid" 2>/dev/null && owns_display "$n"; then display=":$n"; break; fi
    kill "$xvfb_pid" >/dev/null 2>&1
    xvfb_pid=""
  done
  [ -n "$display" ] || { echo "with-wine: no free X display" >&2; exit 1; }
  export DISPLAY=$display
fi

# RandR monitors, sizes in pixels/millimetres at 96 DPI.
declare_monitors() {
  local i=0 m w h x y name
  for m in $monitors; do
    name="M$i"
    [ "${m:0:1}" = "*" ] && name="*PRIMARY"
    IFS='x+' read -r w h x y <<<"${m#\*}"
    xrandr --setmonitor "$name" "$w/$((w * 254 / 960))x$h/$((h * 254 / 960))+$x+$y" \
      "$([ "$name" = "*PRIMARY" ] && echo screen || echo none)" >/dev/null ||
      { echo "with-wine: xrandr could not declare monitor $m" >&2; exit 1; }
    i=$((i + 1))
  done
}
[ -n "$monitors" ] && declare_monitors

# Xvfb's screen can shrink to a mode it knows: give it each one asked for.
declare_modes() {
  local m w h
  for m in ${LUMIROLL_MODES:-}; do
    IFS='x' read -r w h <<<"$m"
    xrandr --newmode "${m}_lumiroll" 40.00 "$w" $((w + 40)) $((w + 168)) $((w + 256)) \
      "$h" $((h + 1)) $((h + 5)) $((h + 28)) >/dev/null &&
      xrandr --addmode screen "${m}_lumiroll" >/dev/null ||
      { echo "with-wine: xrandr could not add the mode $m" >&2; exit 1; }
  done
}
declare_modes

export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A booted prefix with Wine's Windows-metric fonts. Debian's Wine does not load the faces of
# fonts-wine from its data folder; linked into the prefix, dialogs are measured with them (MS Sans
# Serif, Tahoma), not DejaVu.
boot_prefix() {
  WINEPREFIX="$1" wineboot -i >/dev/null 2>&1
  WINEPREFIX="$1" wineserver -w
  if [ -d /usr/share/wine/fonts ]; then ln -sf /usr/share/wine/fonts/* "$1/drive_c/windows/Fonts/"; fi
}
# LUMIROLL_PREFIX_TEMPLATE names a folder that holds (or, when empty, is given) a booted prefix:
# each run copies it instead of booting its own (scripts/test.sh boots one per test run).
template=${LUMIROLL_PREFIX_TEMPLATE:-}
if [ -n "$template" ]; then
  [ -f "$template/system.reg" ] || boot_prefix "$template"
  cp -a "$template/." "$prefix/"
else
  boot_prefix "$prefix"
fi
export WINEPREFIX="$prefix"

# Settings Wine reads when its server starts: set them, then restart it.
if [ -n "$monitors" ] || [ -n "$dpi" ]; then
  # Through Xinerama, Wine sees the RandR monitors with the primary at (0,0).
  [ -n "$monitors" ] && wine reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /t REG_SZ /d N /f >/dev/null 2>&1
  if [ -n "$dpi" ]; then
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wine reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
      /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  fi
  wineserver -k
  wineserver -w
fi
# One idle Wine process for the whole run keeps the wineserver and Wine's own services and
# desktop up, so a command that starts Wine many times (ctest runs each test as a process of its
# own) pays Wine's start-up once. Started here with their output going nowhere, they never hold
# a caller's pipe open (ctest would wait for it). The idle process waits for a key on a pipe
# nobody writes to; rundll32 makes a window, which starts the desktop; the clean-up ends them.
mkfifo "$prefix/idle"
wine cmd /c pause <"$prefix/idle" >/dev/null 2>&1 &
exec 9<>"$prefix/idle"
wine rundll32 user32.dll,GetDesktopWindow >/dev/null 2>&1
"$@"
