#!/usr/bin/env bash
# Prints which build of the Windows programs runs under Wine on this machine:
# "i686", the 32-bit programs that ship, wherever the machine runs 32-bit x86
# code; otherwise "x86_64", a 64-bit build of the same sources (some virtual
# machines run 64-bit user code only, and neither a 32-bit Wine nor Wine's
# WoW64 can start a 32-bit program there). VNX_WINDOWS_ARCH, when set, is
# the answer.
set -euo pipefail
if [ -n "${VNX_WINDOWS_ARCH:-}" ]; then
  echo "$VNX_WINDOWS_ARCH"
  exit 0
fi
here=$(cd "$(dirname "$0")" && pwd)
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
# Linked without PIE: the 32-bit code returns to an address below 4 GiB.
gcc -no-pie -O0 -o "$probe/runs-32bit-code" "$here/runs-32bit-code.c"
if "$probe/runs-32bit-code"; then echo i686; else echo x86_64; fi
