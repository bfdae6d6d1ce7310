#!/usr/bin/env bash
# apt-get source needs deb-src entries; where the machine has none, makes them from its own deb
# entries (same URIs and suites), so no archive address is written here.
set -euo pipefail
sudo_() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
has_src() { grep -rqsE '^\s*(Types:.*deb-src|deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; }
has_src && exit 0
echo "ensure-deb-src: adding deb-src entries derived from the machine's deb entries"
for f in /etc/apt/sources.list.d/*.sources; do
  [ -f "$f" ] || continue
  sed -E 's/^Types:.*/Types: deb-src/' "$f" | sudo_ tee "${f%.sources}-src.sources" >/dev/null
done
if [ -f /etc/apt/sources.list ]; then
  grep -E '^\s*deb\s' /etc/apt/sources.list | sed -E 's/^\s*deb\s/deb-src /' \
    | sudo_ tee /etc/apt/sources.list.d/derived-src.list >/dev/null || true
fi
sudo_ apt-get update -q
