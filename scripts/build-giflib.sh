#!/usr/bin/env bash
# Builds giflib (the library only, not its utilities) for x86_64-w64-mingw32 from Debian's source
# package, with Debian's patches, once. The result (static library, header, licence, and the
# library's patched sources, which the fuzzing build compiles natively with the sanitizers) lands in
# build/third_party/giflib; a later run finds it there and returns at once. It writes nowhere else
# but its own scratch folder, build/third_party/src-giflib.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
third_party="$here/build/third_party"
prefix="$third_party/giflib"
built() { [ -f "$prefix/lib/libgif.a" ] && [ -f "$prefix/source/dgif_lib.c" ] && [ -f "$prefix/licence/giflib-COPYING" ]; }
built && exit 0

# build/third_party may be shared by clones side by side: one builds, the others wait and find it.
mkdir -p "$third_party"
exec 9>"$third_party/.giflib.lock"
flock 9
built && exit 0

"$here/scripts/ensure-deb-src.sh"

work="$third_party/src-giflib"
rm -rf "$work"; mkdir -p "$work"
(cd "$work" && apt-get source -q giflib >/dev/null 2>&1)
src=$(find "$work" -maxdepth 1 -mindepth 1 -type d -name 'giflib*' | head -n 1)
[ -n "$src" ] && [ -f "$src/gif_lib.h" ] || { echo "build-giflib: no source unpacked" >&2; exit 1; }

# The decoder, the encoder (the tests write GIFs with it) and what both need.
sources=(dgif_lib egif_lib gifalloc gif_err gif_hash openbsd-reallocarray)
cc=x86_64-w64-mingw32-gcc-posix
mkdir -p "$work/obj"
for c in "${sources[@]}"; do
  "$cc" -std=gnu99 -O2 -DNDEBUG -I"$src" -c "$src/$c.c" -o "$work/obj/$c.o"
done
staged="$work/staged"
mkdir -p "$staged/lib" "$staged/include" "$staged/licence" "$staged/source"
for c in "${sources[@]}"; do cp "$src/$c.c" "$staged/source/"; done
cp "$src"/*.h "$staged/source/"
x86_64-w64-mingw32-ar rcs "$staged/lib/libgif.a" "$work"/obj/*.o
cp "$src/gif_lib.h" "$staged/include/"
cp "$src/COPYING" "$staged/licence/giflib-COPYING"
rm -rf "$prefix"; mv "$staged" "$prefix"
echo "build-giflib: built into $prefix"
