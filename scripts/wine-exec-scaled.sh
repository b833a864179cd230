#!/usr/bin/env bash
# Runs a Windows program under Wine at another scaling than 96 DPI:
#   wine-exec-scaled.sh DPI PROGRAM [ARGS...]
# in a prefix of its own (build/win/wineprefix-scaled, made on first use),
# so the prefix of the other tests keeps its 96 DPI (scripts/wine-prefix-dpi.sh
# sets it). Its programs must not run at the same time (ctest: RUN_SERIAL).
# Like wine-exec.sh, it needs the Wine and the display of with-wine.sh; the
# program sees VNX_SCALED_DPI=DPI.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
if [ $# -lt 2 ] || ! [[ $1 =~ ^[0-9]+$ ]]; then
  echo "usage: wine-exec-scaled.sh DPI PROGRAM [ARGS...]" >&2
  exit 2
fi
dpi=$1
shift
prefix=$top/build/win/wineprefix-scaled
export WINEPREFIX=$prefix HOME=$prefix/home WINEDEBUG=-all
"$here/wine-prefix-setup.sh" "$prefix"
"$here/wine-prefix-dpi.sh" "$dpi"
export VNX_SCALED_DPI=$dpi
exec "$here/wine-exec.sh" "$prefix" "$@"
