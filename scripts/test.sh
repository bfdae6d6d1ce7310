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
# The Win32 and end-to-end tests in environments side by side, each a display and a copy of the
# booted prefix of its own, sharing nothing: the installer's and the uninstaller's suites (they
# change the prefix's system folder, and wait mostly on Wine's own delays), the rest, and the same
# programs on a desktop of three monitors (left of and above the primary), after a resolution
# change, and at 144 and 192 DPI, each with only its tests. Each report is shown whole once all
# have ended.
e2e="$here/build/win/bin/lumiroll_e2e_tests.exe"
installers='^e2e\.(SetupProgram|UninstalProgram)$'
"$here/scripts/with-wine.sh" true  # boots the prefix the environments copy, before they start
reports=$(mktemp -d /tmp/lumiroll-environments.XXXXXX)
environment() {  # name, then the environment's settings as NAME=value words, then the command
  local name=$1 result=0 settings=()
  shift
  while [[ "${1:-}" == LUMIROLL_*=* ]]; do settings+=("$1"); shift; done
  env "${settings[@]}" "$here/scripts/with-wine.sh" "$@" >"$reports/$name" 2>&1 || result=$?
  echo $result >"$reports/$name.status"
}
names=("Win32 and end-to-end tests (Wine), one process for each test suite" "the installer and the uninstaller"
  "three monitors" "a resolution change during the show" "144 DPI" "192 DPI")
environment "${names[0]}" ctest --test-dir build/win --output-on-failure -E "$installers" &
environment "${names[1]}" ctest --test-dir build/win --output-on-failure -R "$installers" &
environment "${names[2]}" LUMIROLL_MONITORS="*1024x768+800+600 800x600+0+700 1024x600+800+0" \
  wine "$e2e" --gtest_filter='SeveralMonitors.*' &
environment "${names[3]}" LUMIROLL_MODES=800x600 wine "$e2e" --gtest_filter='DisplayChange.*' &
for dpi in 144 192; do
  environment "$dpi DPI" LUMIROLL_DPI=$dpi LUMIROLL_SCREEN=1600x1200x24 wine "$e2e" --gtest_filter='HighDpi.*' &
done
wait
for name in "${names[@]}"; do
  echo "== $name"
  grep -v '^wine: ' "$reports/$name"
  [ "$(cat "$reports/$name.status" 2>/dev/null)" = 0 ] || status=1
done
rm -rf "$reports"

# Every seed and regression replayed, then a short exploration; tests/fuzz/run.sh 3600 explores.
echo "== fuzzing (libFuzzer, native): seeds, regressions and a short run of each harness"
"$here/tests/fuzz/run.sh" "${LUMIROLL_FUZZ_SECONDS:-5}" || status=1

echo "== all tests took $(( $(date +%s) - start )) s"
exit $status
