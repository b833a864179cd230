#!/usr/bin/env bash
# Runs a program of the Wine root (build/wine-root) in the current directory
# with the caller's environment:
#   in-wine-root.sh PROGRAM [ARGS...]
# The links in scripts/wine-root-bin (wine, wineserver, winepath, wineboot)
# call it under their own names. scripts/with-wine.sh puts them first on PATH
# and mounts what the root needs: the project at its own path, the X socket.
set -euo pipefail
name=$(basename "$0")
if [ "$name" = in-wine-root.sh ]; then
  name=$1
  shift
fi
root=${VNX_WINE_ROOT:-}
if [ -z "$root" ] || [ ! -e "$root/proc/self" ]; then
  echo "$name: the Wine root is not mounted; run this through scripts/with-wine.sh" >&2
  exit 2
fi
# The same process id all the way down (exec), so that callers can wait for
# and stop the Windows program by the id they started.
exec chroot "$root" /usr/bin/env -u LD_PRELOAD -u LD_LIBRARY_PATH PATH=/usr/bin:/bin \
  /bin/sh -c 'cd "$1" 2>/dev/null || { echo "$0: $1 is not inside the project, the only directory the Wine root sees" >&2; exit 2; }
shift; exec "$0" "$@"' "$name" "$PWD" "$@"
