#!/usr/bin/env bash
# Builds LittleCMS (lcms2, the core library only: its plugins are under another licence) for
# x86_64-w64-mingw32 from Debian's source package, once. The result (static library, headers,
# licence) lands in build/third_party/lcms2; a later run finds it there and returns at once.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
third_party="$here/build/third_party"
prefix="$third_party/lcms2"
built() { [ -f "$prefix/lib/liblcms2.a" ] && [ -f "$prefix/include/lcms2.h" ] && [ -f "$prefix/licence/lcms2-COPYING" ]; }
built && exit 0

# build/third_party may be shared by clones side by side: one builds, the others wait and find it.
mkdir -p "$third_party"
exec 9>"$third_party/.lcms2.lock"
flock 9
built && exit 0

"$here/scripts/ensure-deb-src.sh"

work="$third_party/src-lcms2"
rm -rf "$work"; mkdir -p "$work"
(cd "$work" && apt-get source -q lcms2 >/dev/null 2>&1)
src=$(find "$work" -maxdepth 1 -mindepth 1 -type d -name 'lcms2*' | head -n 1)
[ -n "$src" ] && [ -f "$src/include/lcms2.h" ] || { echo "build-lcms2: no source unpacked" >&2; exit 1; }

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
