#!/usr/bin/env bash
# Sets the scaling of the Wine prefix in WINEPREFIX ("LogPixels", which Wine
# reads when its session starts) and restarts the prefix's Wine session when
# DPI differs from the last one set here (.vnx-dpi in the prefix):
#   wine-prefix-dpi.sh DPI
# Needs the Wine of scripts/with-wine.sh.
set -euo pipefail
dpi=${1:?usage: wine-prefix-dpi.sh DPI}
[[ $dpi =~ ^[0-9]+$ ]] && [ "$dpi" -ge 48 ] && [ "$dpi" -le 480 ] || {
  echo "wine-prefix-dpi: a DPI from 48 to 480, not \"$dpi\"" >&2
  exit 2
}
prefix=${WINEPREFIX:?}
[ "$(cat "$prefix/.vnx-dpi" 2>/dev/null || echo 96)" = "$dpi" ] && exit 0
for key in 'HKCU\Control Panel\Desktop' 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
  wine 'C:\windows\system32\reg.exe' add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
done
wineserver -k 2>/dev/null || true
wineserver -w
echo "$dpi" >"$prefix/.vnx-dpi"
