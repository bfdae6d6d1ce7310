#!/usr/bin/env bash
# scripts/check-code.sh [--fix-format] : the code's own checks, each finding as file:line.
#   clang-format-14: every C++ file of the project (not third-party code) in the style of .clang-format.
#   clang-tidy-14:   the product code (not tests, not benchmarks) against .clang-tidy, findings as
#                    errors, from the compile commands of the clang build (scripts/build.sh clang).
# --fix-format reformats the files that differ instead of reporting them; --all has clang-tidy read
# every product file again, not only those whose sources or configuration changed.
# LUMIROLL_CLANG_BUILD names another clang build folder (default build/clang).
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
build=${LUMIROLL_CLANG_BUILD:-build/clang}
status=0

# Tracked files and new ones not yet added (build folders and third-party code are ignored).
mapfile -t sources < <(git ls-files --cached --others --exclude-standard '*.h' '*.cpp')
if [ "${1:-}" = --fix-format ]; then
  clang-format-14 -i "${sources[@]}"
  exit 0
fi

echo "== clang-format: ${#sources[@]} files"
# --dry-run reports each difference as file:line:column: each line that differs is shown once.
if ! clang-format-14 --dry-run --Werror "${sources[@]}" 2>/tmp/check-code-format.$$; then
  grep -oE '^[^ ].*:[0-9]+:[0-9]+: (error|warning)' /tmp/check-code-format.$$ | sed -E "s|^$here/||; s|:[0-9]+: .*||" |
    uniq | sed 's|$|: not in the style of .clang-format|'
  echo "clang-format: the lines above differ (scripts/check-code.sh --fix-format reformats them)"
  status=1
fi
rm -f /tmp/check-code-format.$$

commands=$build/compile_commands.json
if [ ! -f "$commands" ]; then
  echo "clang-tidy: no $commands (run scripts/build.sh clang first)" >&2
  exit 1
fi
# Product code only, each .cpp once, as the clang build compiles it; only the files whose sources
# or configuration changed since a clean reading are read again (scripts/tidy-cached.py), every
# one with --all.
[ "${1:-}" = --all ] && export LUMIROLL_TIDY_ALL=1
echo "== clang-tidy: the product files whose sources or configuration changed, two at a time"
start=$(date +%s)
out=$(python3 "$here/scripts/tidy-cached.py" "$commands" "$here" "$build")
ran=$?
# A header's finding is reported once for each file that includes it: each is shown once.
findings=$(grep -E '^/.*:[0-9]+:[0-9]+: (error|warning):' <<<"$out" | sed "s|^$here/||" | sort -u)
if [ -n "$findings" ]; then
  echo "$findings"
  echo "clang-tidy: $(wc -l <<<"$findings") findings"
  status=1
elif [ $ran -ne 0 ]; then
  tail -20 <<<"$out"
  echo "clang-tidy: failed without a finding (above)"
  status=1
fi
echo "== clang-tidy took $(( $(date +%s) - start )) s"
exit $status
