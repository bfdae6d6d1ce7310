#!/usr/bin/env bash
# scripts/check-code.sh [--fix-format] : the code's own checks, each finding as file:line.
#   clang-format-14: every C++ file of the project (not third-party code) in the style of .clang-format.
#   clang-tidy-14:   the product code (not tests, not benchmarks) against .clang-tidy, findings as
#                    errors, from the compile commands of the clang build (scripts/build.sh clang).
# --fix-format reformats the files that differ instead of reporting them.
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
# Product code only: each product .cpp once, as the clang build compiles it (the same file may be
# in several targets; one reading is enough).
mapfile -t product < <(python3 - "$commands" "$here" <<'EOF'
import json, re, sys
root = sys.argv[2] + "/"
files = {e["file"] for e in json.load(open(sys.argv[1]))}
product = r"(shared|platform|settings|saver|setup|uninstal)/.*\.cpp$"
print("\n".join(sorted(f for f in files if f.startswith(root) and re.match(product, f[len(root):]))))
EOF
)
echo "== clang-tidy: ${#product[@]} product files, two at a time"
start=$(date +%s)
errors=/tmp/check-code-tidy.$$
out=$(printf '%s\n' "${product[@]}" | xargs -P2 -n4 clang-tidy-14 -p "$build" --quiet 2>"$errors")
ran=$?
# A header's finding is reported once for each file that includes it: each is shown once.
findings=$(grep -E '^/.*:[0-9]+:[0-9]+: (error|warning):' <<<"$out" | sed "s|^$here/||" | sort -u)
if [ -n "$findings" ]; then
  echo "$findings"
  echo "clang-tidy: $(wc -l <<<"$findings") findings"
  status=1
elif [ $ran -ne 0 ]; then
  tail -20 "$errors"
  echo "clang-tidy: failed without a finding (above)"
  status=1
fi
rm -f "$errors"
echo "== clang-tidy took $(( $(date +%s) - start )) s"
exit $status
