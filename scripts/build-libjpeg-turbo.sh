#!/usr/bin/env bash
# Builds libjpeg-turbo for x86_64-w64-mingw32 from Debian's source package, once.
# The result (static library, headers, licence) lands in build/third_party/libjpeg-turbo;
# a later run finds it there and returns at once.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
prefix="$here/build/third_party/libjpeg-turbo"
[ -f "$prefix/lib/libturbojpeg.a" ] && [ -f "$prefix/lib/libjpeg.a" ] && exit 0

sudo_() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# apt-get source needs deb-src entries; where the machine has none, make them from its own
# deb entries (same URIs and suites), so no archive address is written here.
has_src() { grep -rqsE '^\s*(Types:.*deb-src|deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; }
if ! has_src; then
  echo "build-libjpeg-turbo: adding deb-src entries derived from the machine's deb entries"
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    sed -E 's/^Types:.*/Types: deb-src/' "$f" | sudo_ tee "${f%.sources}-src.sources" >/dev/null
  done
  if [ -f /etc/apt/sources.list ]; then
    grep -E '^\s*deb\s' /etc/apt/sources.list | sed -E 's/^\s*deb\s/deb-src /' \
      | sudo_ tee /etc/apt/sources.list.d/derived-src.list >/dev/null || true
  fi
  sudo_ apt-get update -q
fi

work="$here/build/third_party/src"
rm -rf "$work"; mkdir -p "$work"
(cd "$work" && apt-get source -q libjpeg-turbo >/dev/null)
src=$(find "$work" -maxdepth 1 -mindepth 1 -type d -name 'libjpeg-turbo*' | head -n 1)
[ -n "$src" ] || { echo "build-libjpeg-turbo: no source unpacked" >&2; exit 1; }

cmake -S "$src" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=ON -DWITH_JAVA=OFF \
  -DCMAKE_ASM_NASM_COMPILER=nasm -DREQUIRE_SIMD=ON >/dev/null
cmake --build "$work/build" --target jpeg-static turbojpeg-static
mkdir -p "$prefix/lib" "$prefix/include" "$prefix/licence"
cp "$work/build/libjpeg.a" "$work/build/libturbojpeg.a" "$prefix/lib/"
cp "$src/jpeglib.h" "$src/jmorecfg.h" "$src/jerror.h" "$src/turbojpeg.h" "$work/build/jconfig.h" "$prefix/include/"
cp "$src/LICENSE.md" "$prefix/licence/libjpeg-turbo-LICENSE.md"
[ -f "$src/README.ijg" ] && cp "$src/README.ijg" "$prefix/licence/libjpeg-turbo-README.ijg"
echo "build-libjpeg-turbo: built into $prefix"
