#!/usr/bin/env bash
# Runs a command with a ready Wine: Wine 10 of the Debian 13 root in
# build/wine-root (scripts/wine-root.sh makes it once), a virtual X display of
# its own (Xvfb), the project's Wine prefix (created on first use) and a
# persistent wineserver, so each Windows program starts in a fraction of a
# second.
#   with-wine.sh PREFIX COMMAND [ARGS...]
# The command runs here with the root's wine, wineserver, winepath and
# wineboot first on PATH (scripts/wine-root-bin). The root sees the project
# at its own path, so the prefix and the working directory of every Wine
# program must lie inside the project. Its mounts exist in a mount namespace
# of this command alone and are undone on the way out, also on failure or
# Ctrl-C; everything started here is stopped again by its process id.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
if [ $# -lt 2 ]; then
  echo "usage: with-wine.sh PREFIX COMMAND [ARGS...]" >&2
  exit 2
fi

if [ "${VNX_WINE_NAMESPACE:-}" != $$ ]; then
  [ "$(id -u)" -eq 0 ] || { echo "with-wine: needs root: Wine runs in a chroot" >&2; exit 1; }
  VNX_WINDOWS_ARCH=$("$here/windows-arch.sh")
  export VNX_WINDOWS_ARCH
  VNX_WINE_ROOT=$("$here/wine-root.sh")
  export VNX_WINE_ROOT
  VNX_WINE_NAMESPACE=$$ exec unshare --mount --propagation private -- "$0" "$@"
fi
unset VNX_WINE_NAMESPACE

prefix=$(realpath -m "$1")
shift
case $prefix/ in
  "$top"/*) ;;
  *) echo "with-wine: the prefix $prefix is outside the project $top, which is all the Wine root sees" >&2; exit 2 ;;
esac

# The X cookie of a real display, read before HOME changes.
cookie=${XAUTHORITY:-${HOME:-}/.Xauthority}
export PATH=$here/wine-root-bin:$PATH
# The 32-bit programs in a 32-bit prefix; the 64-bit build, where the machine
# runs no 32-bit code, in a 64-bit one (scripts/windows-arch.sh).
case $VNX_WINDOWS_ARCH in
  i686) WINEARCH=win32 ;;
  *) WINEARCH=win64 ;;
esac
export WINEARCH
export WINEPREFIX=$prefix WINEDEBUG=-all HOME=$prefix/home
export WINEDLLOVERRIDES="winemenubuilder.exe=d;winealsa.drv,winepulse.drv=d"

. "$here/root-mounts.sh"
xvfb_pid=""
cleanup() {
  if [ -e "$VNX_WINE_ROOT/proc/self" ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
  fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -f "$top/build/xauthority.$$"
  # Windows programs of a wineserver that died (Wine 10's can fail an
  # assertion) outlive "wineserver -k" and hold the mounts. Every other
  # process of this mount namespace was started by this command.
  local entry left=()
  for entry in /proc/[0-9]*; do
    [ "${entry#/proc/}" != $$ ] && [ "$entry/ns/mnt" -ef /proc/$$/ns/mnt ] && left+=("${entry#/proc/}")
  done
  if [ ${#left[@]} -gt 0 ]; then
    echo "with-wine: ending what a dead wineserver left running: ${left[*]}" >&2
    kill -KILL "${left[@]}" 2>/dev/null || true
    sleep 0.5
  fi
  unmount_recorded
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

mount_system_into "$VNX_WINE_ROOT"
mount_recorded "$VNX_WINE_ROOT$top" --bind "$top"

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
# Local X servers listen in /tmp/.X11-unix; a real display's cookie goes
# where the root sees it.
if [ -n "${VNX_USE_DISPLAY:-}" ] && [ -f "$cookie" ]; then
  cp "$cookie" "$top/build/xauthority.$$"
  export XAUTHORITY=$top/build/xauthority.$$
fi
[ -d /tmp/.X11-unix ] && mount_recorded "$VNX_WINE_ROOT/tmp/.X11-unix" --bind /tmp/.X11-unix

"$here/wine-prefix-setup.sh" "$prefix"
mkdir -p "$HOME"
wineserver -p
wine wineboot >/dev/null 2>&1 || true

"$@"
