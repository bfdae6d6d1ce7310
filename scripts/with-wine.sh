#!/usr/bin/env bash
# scripts/with-wine.sh COMMAND... : runs COMMAND with a private X display (Xvfb) and a fresh
# 64-bit Wine prefix in a temporary folder, then stops what it started and removes the prefix.
# An existing DISPLAY is not used unless LUMIROLL_USE_DISPLAY=1.
set -uo pipefail
screen=${LUMIROLL_SCREEN:-1024x768x24}

prefix=$(mktemp -d /tmp/lumiroll-wine.XXXXXX)
xvfb_pid=""
cleanup() {
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" >/dev/null 2>&1 && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$prefix"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

if [ "${LUMIROLL_USE_DISPLAY:-0}" != 1 ] || [ -z "${DISPLAY:-}" ]; then
  display=""
  for n in $(seq 90 190); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "$screen" -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    if kill -0 "$xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then display=":$n"; break; fi
    xvfb_pid=""
  done
  [ -n "$display" ] || { echo "with-wine: no free X display" >&2; exit 1; }
  export DISPLAY=$display
fi

export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1
wineserver -w
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
