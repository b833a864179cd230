#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's own prefix:
#   wine-exec.sh PREFIX PROGRAM [ARGS...]
# ctest uses it as the cross-compiling emulator. It needs the Wine and the X
# display that scripts/with-wine.sh provides: run the tests through it.
set -euo pipefail
prefix=$1
shift
if [ -z "${DISPLAY:-}" ] || [ -z "${VNX_WINE_ROOT:-}" ]; then
  echo "wine-exec.sh: no Wine or no DISPLAY; run through scripts/with-wine.sh" >&2
  exit 2
fi
export WINEPREFIX=$prefix WINEARCH=${WINEARCH:?} WINEDEBUG=-all
export HOME=$prefix/home
export WINEDLLOVERRIDES="winemenubuilder.exe=d;winealsa.drv,winepulse.drv=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
exec wine "$@"
