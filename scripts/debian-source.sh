# Sourced by the scripts that build a library from Debian's source package into
# build/third_party/<name>, once. Expects $here (the tree) and a function built() that tells
# whether the result is already there.
third_party="$here/build/third_party"

# Returns from the calling script when the library is built; otherwise takes the library's lock
# (build/third_party may be shared by clones side by side: one builds, the others wait and then
# find it) and returns from the calling script if the other clone has built it meanwhile.
#   once NAME || exit 0
once() {
  built && return 1
  mkdir -p "$third_party"
  exec 9>"$third_party/.$1.lock"
  flock 9
  ! built
}

# Unpacks Debian's source package PACKAGE (its patches applied) into the fresh folder WORK and
# prints the folder of the source; fails when FILE is not in it.
#   unpacked_source PACKAGE WORK FILE
unpacked_source() {
  "$here/scripts/ensure-deb-src.sh" >&2
  rm -rf "$2"; mkdir -p "$2"
  (cd "$2" && apt-get source -q "$1" >/dev/null 2>&1)
  local src
  src=$(find "$2" -maxdepth 1 -mindepth 1 -type d -name "$1*" | head -n 1)
  [ -n "$src" ] && [ -f "$src/$3" ] || { echo "$(basename "$0"): no source unpacked" >&2; return 1; }
  echo "$src"
}
