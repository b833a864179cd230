#!/usr/bin/env bash
# Configures (once) and builds both builds: build/native (Linux, with
# AddressSanitizer and UndefinedBehaviorSanitizer) and build/win (32-bit
# Windows through mingw-w64).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
jobs=$(nproc)
[ -f build/native/build.ninja ] || cmake -S . -B build/native -G Ninja -DVNX_SANITIZE=ON >/dev/null
[ -f build/win/build.ninja ] || cmake -S . -B build/win -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-i686.cmake >/dev/null
cmake --build build/native -j "$jobs"
cmake --build build/win -j "$jobs"
