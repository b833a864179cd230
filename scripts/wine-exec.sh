#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's own prefix:
#   wine-exec.sh PREFIX PROGRAM [ARGS...]
# ctest uses it as the cross-compiling emulator. It needs an X display; run
# the tests through scripts/with-wine.sh, which provides one.
set -euo pipefail
prefix=$1
shift
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-exec.sh: no DISPLAY; run through scripts/with-wine.sh" >&2
  exit 2
fi
export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all
export HOME=$prefix/home
export WINEDLLOVERRIDES="winemenubuilder.exe=d;winealsa.drv,winepulse.drv=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
exec wine "$@"
