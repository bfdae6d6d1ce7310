#!/usr/bin/env bash
# Builds giflib (the library only, not its utilities) for x86_64-w64-mingw32 from Debian's source
# package, with Debian's patches, once. The result (static library, header, licence, and the
# library's patched sources, which the fuzzing build compiles natively with the sanitizers) lands in
# build/third_party/giflib; a later run finds it there and returns at once. It writes nowhere else
# but its own scratch folder, build/third_party/src-giflib.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
. "$here/scripts/debian-source.sh"
prefix="$third_party/giflib"
built() { [ -f "$prefix/lib/libgif.a" ] && [ -f "$prefix/source/dgif_lib.c" ] && [ -f "$prefix/licence/giflib-COPYING" ]; }
once giflib || exit 0
work="$third_party/src-giflib"
src=$(unpacked_source giflib "$work" gif_lib.h)

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
