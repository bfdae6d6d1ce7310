#!/usr/bin/env bash
# Builds libjpeg-turbo for x86_64-w64-mingw32 from Debian's source package, once.
# The result (static library, headers, licence) lands in build/third_party/libjpeg-turbo;
# a later run finds it there and returns at once.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
prefix="$here/build/third_party/libjpeg-turbo"
[ -f "$prefix/lib/libturbojpeg.a" ] && [ -f "$prefix/lib/libjpeg.a" ] && exit 0

"$here/scripts/ensure-deb-src.sh"

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
