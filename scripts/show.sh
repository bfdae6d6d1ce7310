#!/usr/bin/env bash
# Builds Lumiroll and starts the screen saver (/s) under Wine.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh" win --target lumiroll_scr
export WINEPREFIX=${WINEPREFIX:-$here/build/show-prefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1 || true
exec wine "$here/build/win/bin/Lumiroll.scr" /s
