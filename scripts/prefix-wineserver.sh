#!/usr/bin/env bash
# Prints the process id of the wineserver that serves WINEPREFIX. Several
# prefixes may have a server at once; each runs in a directory named after
# its prefix's device and inode.
set -euo pipefail
server_dir=$(stat -c 'server-%D-%i' "$WINEPREFIX" | awk -F- '{ printf "%s-%s-%x\n", $1, $2, $3 }')
for pid in $(pgrep -f wineserver); do
  case $(readlink "/proc/$pid/cwd" 2>/dev/null) in
    */"$server_dir") echo "$pid"; exit 0 ;;
  esac
done
echo "prefix-wineserver: no wineserver for $WINEPREFIX" >&2
exit 1
