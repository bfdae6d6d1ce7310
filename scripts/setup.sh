#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and test Lumiroll, then builds
# libjpeg-turbo, LittleCMS and giflib for MinGW once. Safe to run again: it does nothing that is already done.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  liblcms2-utils liblcms2-dev colord-data
  cmake g++ make ninja-build googletest libgtest-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev lld-14
  wine wine64 fonts-wine xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick
  nasm dpkg-dev libstb-dev zip unzip procps
  clang-14 libclang-rt-14-dev libjpeg62-turbo-dev libjpeg-turbo-progs
  clang-tidy-14 clang-format-14
  libgif-dev
  # the end-to-end tests' folder mirrored through FUSE, whose files can be made to stall
  python3-fusepy libfuse2 fuse3
)

sudo_() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_ apt-get update -q
  sudo_ env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

"$here/scripts/build-libjpeg-turbo.sh"
"$here/scripts/build-lcms2.sh"
"$here/scripts/build-giflib.sh"
