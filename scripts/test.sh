#!/usr/bin/env bash
# Runs every test: installs what is missing, builds both builds, runs the native unit tests,
# then the Win32 and end-to-end tests under Wine on a private X display. The programs are also
# compiled by clang, their warnings as errors: a second compiler's reading of the code; then
# clang-format and clang-tidy check the code (scripts/check-code.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
start=$(date +%s)

"$here/scripts/setup.sh"
"$here/scripts/build.sh" host
"$here/scripts/build.sh" win
echo "== the programs compiled by clang, warnings as errors"
clang_start=$(date +%s)
"$here/scripts/build.sh" clang build/clang --target lumiroll_scr lumiroll_setup lumiroll_uninstal
echo "== clang build took $(( $(date +%s) - clang_start )) s"

# One Wine prefix booted for the whole run; each environment below runs in a copy of it.
export LUMIROLL_PREFIX_TEMPLATE
LUMIROLL_PREFIX_TEMPLATE=$(mktemp -d /tmp/lumiroll-wine-template.XXXXXX)
trap 'rm -rf "$LUMIROLL_PREFIX_TEMPLATE"' EXIT

status=0
echo "== the code's own checks: clang-format and clang-tidy"
"$here/scripts/check-code.sh" || status=1
echo "== unit tests (native)"
ctest --test-dir build/host --output-on-failure -j2 || status=1
echo "== Win32 and end-to-end tests (Wine), one process for each test suite"
"$here/scripts/with-wine.sh" ctest --test-dir build/win --output-on-failure || status=1
# The same programs on a desktop of three monitors (left of and above the primary), after a
# resolution change, and at 144 and 192 DPI: each environment a display and a copy of the booted
# prefix of its own, and only its tests. They share nothing, so they run side by side; each one's
# report is shown whole once all have ended.
e2e="$here/build/win/bin/lumiroll_e2e_tests.exe"
reports=$(mktemp -d /tmp/lumiroll-environments.XXXXXX)
environment() {  # name, then the environment's settings as NAME=value words, then the filter
  local name=$1 filter=${*: -1} result=0
  env "${@:2:$#-2}" "$here/scripts/with-wine.sh" wine "$e2e" --gtest_filter="$filter" >"$reports/$name" 2>&1 || result=$?
  echo $result >"$reports/$name.status"
}
environment "three monitors" LUMIROLL_MONITORS="*1024x768+800+600 800x600+0+700 1024x600+800+0" 'SeveralMonitors.*' &
environment "a resolution change during the show" LUMIROLL_MODES=800x600 'DisplayChange.*' &
for dpi in 144 192; do
  environment "$dpi DPI" LUMIROLL_DPI=$dpi LUMIROLL_SCREEN=1600x1200x24 'HighDpi.*' &
done
wait
for name in "three monitors" "a resolution change during the show" "144 DPI" "192 DPI"; do
  echo "== end-to-end tests: $name"
  grep -v '^wine: ' "$reports/$name"
  [ "$(cat "$reports/$name.status" 2>/dev/null)" = 0 ] || status=1
done
rm -rf "$reports"

# Every seed and regression replayed, then a short exploration; tests/fuzz/run.sh 3600 explores.
echo "== fuzzing (libFuzzer, native): seeds, regressions and a short run of each harness"
"$here/tests/fuzz/run.sh" "${LUMIROLL_FUZZ_SECONDS:-5}" || status=1

echo "== all tests took $(( $(date +%s) - start )) s"
exit $status
