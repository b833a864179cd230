#!/usr/bin/env bash
# Configures (once) and builds: build/native (Linux, with AddressSanitizer
# and UndefinedBehaviorSanitizer) and build/win, the Windows programs and
# tests that run under Wine on this machine (scripts/windows-arch.sh: the
# 32-bit build, or a 64-bit build of the same sources where the machine runs
# no 32-bit code; then build/win32 holds the 32-bit programs that ship).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
jobs=$(nproc)
arch=$(scripts/windows-arch.sh)

configure() { scripts/configure.sh "$@"; }

[ -f build/native/build.ninja ] || cmake -S . -B build/native -G Ninja -DVNX_SANITIZE=ON >/dev/null
configure build/win "$arch"
cmake --build build/native -j "$jobs"
cmake --build build/win -j "$jobs"
if [ "$arch" != i686 ]; then
  configure build/win32 i686
  cmake --build build/win32 -j "$jobs" --target runner vnxengine vnxpack
fi
