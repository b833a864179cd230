#!/usr/bin/env bash
# Runs a Windows program under Wine with two disks of a viewer's machine that
# a lab does not have, mounted for this run alone:
#   wine-exec-viewer-disks.sh PREFIX PROGRAM [ARGS...]
# viewer-disks/full beside the prefix, a file system of 1 MiB that a
# presentation fills while it is unpacked, and viewer-disks/read-only, one
# that cannot be written. The program sees their Windows paths in
# VNX_FULL_DISK and VNX_READ_ONLY_DISK. Like wine-exec.sh it needs the Wine
# and the display of with-wine.sh, whose mount namespace keeps the mounts
# from everyone else; they are undone on the way out.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
[ $# -ge 2 ] || { echo "usage: wine-exec-viewer-disks.sh PREFIX PROGRAM [ARGS...]" >&2; exit 2; }
[ -n "${VNX_WINE_ROOT:-}" ] || { echo "wine-exec-viewer-disks.sh: run through scripts/with-wine.sh" >&2; exit 2; }
. "$here/root-mounts.sh"
trap unmount_recorded EXIT
disks=$(dirname "$(realpath -m "$1")")/viewer-disks
case $disks/ in "$top"/*) ;; *) echo "wine-exec-viewer-disks.sh: $1 is outside the project" >&2; exit 2 ;; esac
# Mounted where the Wine programs see the project: inside the root.
mount_recorded "$VNX_WINE_ROOT$disks/full" -t tmpfs -o size=1m,mode=0777 viewer-full
mount_recorded "$VNX_WINE_ROOT$disks/read-only" -t tmpfs -o ro,size=64k viewer-read-only
windows_path() { echo "Z:$disks/$1" | tr / '\\'; }
VNX_FULL_DISK=$(windows_path full) VNX_READ_ONLY_DISK=$(windows_path read-only) \
  "$here/wine-exec.sh" "$@"
