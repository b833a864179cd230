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
# Every Windows program a test starts inherits the test's output at the Unix
# level, and ctest waits until the last holder has ended: a process that a
# test leaves to end in its own time (a killed runner's projector, ended by
# its job) would keep a finished test waiting, now and then past its
# timeout. The program's output therefore goes through a file.
output=$(mktemp)
trap 'rm -f "$output"' EXIT
status=0
wine "$@" >"$output" 2>&1 || status=$?
cat "$output"
exit "$status"
