#!/usr/bin/env bash
# scripts/build.sh host|win|clang [build-dir] : configures (once) and builds one of the builds.
#   host:  the core and its unit tests, native, with AddressSanitizer and UBSan.
#   win:   the three programs and the Win32 tests, cross-compiled with MinGW-w64.
#   clang: the same as win, compiled by clang, product code with warnings as errors.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:?host or win}
dir=${2:-$here/build/$kind}
shift $(( $# >= 2 ? 2 : 1 ))
case "$kind" in
  host) options=(-DLUMIROLL_SANITIZE=ON) ;;
  win)  "$here/scripts/build-libjpeg-turbo.sh"; "$here/scripts/build-lcms2.sh"
        "$here/scripts/build-giflib.sh"
        options=(-DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake") ;;
  clang) "$here/scripts/build-libjpeg-turbo.sh"; "$here/scripts/build-lcms2.sh"
        "$here/scripts/build-giflib.sh"
        options=(-DCMAKE_TOOLCHAIN_FILE="$here/cmake/clang-mingw-w64-x86_64.cmake" -DLUMIROLL_WARNINGS_AS_ERRORS=ON) ;;
  *) echo "usage: $0 host|win|clang [build-dir] [cmake --build options]" >&2; exit 2 ;;
esac
# A compiler cache, where the machine has one, shared by clones side by side.
if command -v ccache >/dev/null; then
  options+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$here")} CCACHE_NOHASHDIR=1
fi
[ -f "$dir/build.ninja" ] || cmake -S "$here" -B "$dir" -G Ninja "${options[@]}" >/dev/null
cmake --build "$dir" "$@"
