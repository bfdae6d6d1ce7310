#!/usr/bin/env bash
# Builds LittleCMS (lcms2, the core library only: its plugins are under another licence) for
# x86_64-w64-mingw32 from Debian's source package, once. The result (static library, headers,
# licence) lands in build/third_party/lcms2; a later run finds it there and returns at once.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/scripts/debian-source.sh"
prefix="$third_party/lcms2"
built() { [ -f "$prefix/lib/liblcms2.a" ] && [ -f "$prefix/include/lcms2.h" ] && [ -f "$prefix/licence/lcms2-COPYING" ]; }
once lcms2 || exit 0
work="$third_party/src-lcms2"
src=$(unpacked_source lcms2 "$work" include/lcms2.h)

cc=x86_64-w64-mingw32-gcc-posix
mkdir -p "$work/obj"
for c in "$src"/src/*.c; do
  "$cc" -O2 -DNDEBUG -I"$src/include" -c "$c" -o "$work/obj/$(basename "${c%.c}").o" &
  [ "$(jobs -r | wc -l)" -ge 2 ] && wait -n
done
wait
staged="$work/staged"
mkdir -p "$staged/lib" "$staged/include" "$staged/licence"
x86_64-w64-mingw32-ar rcs "$staged/lib/liblcms2.a" "$work"/obj/*.o
cp "$src/include/lcms2.h" "$staged/include/"
cp "$src/COPYING" "$staged/licence/lcms2-COPYING"
rm -rf "$prefix"; mv "$staged" "$prefix"
echo "build-lcms2: built into $prefix"
