#!/usr/bin/env bash
# Configures a Windows build directory once, for a toolchain file of cmake/:
#   configure.sh DIR TOOLCHAIN [CMAKE-ARGS...]     (TOOLCHAIN: i686, x86_64-release, ...)
# A directory configured for another toolchain is made anew.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=$1 toolchain=$top/cmake/toolchain-mingw-$2.cmake
shift 2
if [ -f "$dir/build.ninja" ] && ! grep -qx "CMAKE_TOOLCHAIN_FILE:[A-Z]*=$toolchain" "$dir/CMakeCache.txt"; then
  echo "== $dir was configured for another toolchain; configuring it for $(basename "$toolchain")" >&2
  rm -rf "$dir"
fi
[ -f "$dir/build.ninja" ] || cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" "$@" >/dev/null
