#!/usr/bin/env bash
# Runs a command with a ready Wine: a virtual X display of its own (Xvfb), the
# project's Wine prefix (created on first use) and a persistent wineserver, so
# each Windows program starts in a fraction of a second.
#   with-wine.sh PREFIX COMMAND [ARGS...]
# Everything started here is stopped again by its process id on the way out.
set -euo pipefail
prefix=$(realpath -m "$1")
shift
here=$(cd "$(dirname "$0")" && pwd)

export WINEPREFIX=$prefix WINEARCH=win32 WINEDEBUG=-all HOME=$prefix/home
export WINEDLLOVERRIDES="winemenubuilder.exe=d;winealsa.drv,winepulse.drv=d"

xvfb_pid=""
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  true
}
trap cleanup EXIT

if [ -z "${VNX_USE_DISPLAY:-}" ]; then
  # -displayfd lets Xvfb pick a free display number and tell us.
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r display_number <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$display_number"
fi

mkdir -p "$HOME"
if [ ! -f "$prefix/.vnx-ready" ] || [ ! -f "$prefix/drive_c/windows/Fonts/sserife.fon" ]; then
  "$here/wine-prefix-setup.sh" "$prefix"
fi
wineserver -p
wine wineboot >/dev/null 2>&1 || true

"$@"
