#!/usr/bin/env bash
# Runs every test: installs what is missing, builds both builds, runs the native unit tests,
# then the Win32 and end-to-end tests under Wine on a private X display.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
start=$(date +%s)

"$here/scripts/setup.sh"
"$here/scripts/build.sh" host
"$here/scripts/build.sh" win

status=0
echo "== unit tests (native)"
ctest --test-dir build/host --output-on-failure -j2 || status=1
echo "== fuzzing the colour-profile path (libFuzzer, native): seeds, regressions, a short run"
"$here/tests/fuzz/colour_run.sh" 20 || status=1
echo "== Win32 and end-to-end tests (Wine)"
"$here/scripts/with-wine.sh" ctest --test-dir build/win --output-on-failure || status=1

echo "== all tests took $(( $(date +%s) - start )) s"
exit $status
