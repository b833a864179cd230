#!/usr/bin/env bash
# Creates the project's Wine prefix, of the WINEARCH with-wine.sh chose: no
# window manager delays on destroying windows (Managed=N), fonts for captions
# and dialogs, no desktop integration. A ready prefix is left as it is; one
# made by another Wine, or left unfinished, is made anew. Expects WINEPREFIX,
# WINEARCH, HOME, DISPLAY and the root's Wine on PATH from with-wine.sh;
# writes the Wine's version and WINEARCH into .vnx-ready.
set -euo pipefail
prefix=$1
if [ "$(cat "$prefix/.vnx-ready" 2>/dev/null)" = "$(wine --version) $WINEARCH" ] &&
  [ -f "$prefix/drive_c/windows/Fonts/sserife.fon" ]; then
  exit 0
fi
if [ -e "$prefix" ]; then
  made=$(cat "$prefix/.vnx-ready" 2>/dev/null || true)
  echo "The Wine prefix $prefix was left by ${made:-an unfinished set-up or an earlier Wine}; removing it" >&2
  rm -rf "$prefix"
fi
echo "Creating the Wine prefix $prefix (once, about 10 s)..." >&2
mkdir -p "$prefix" "$HOME"
wineboot -i >/dev/null 2>&1
reg="$prefix/drive_c/windows/system32/reg.exe"
wine "C:\\windows\\system32\\reg.exe" add "HKCU\\Software\\Wine\\X11 Driver" /v Managed /d N /f >/dev/null 2>&1
wine "C:\\windows\\system32\\reg.exe" add "HKCU\\Software\\Wine\\X11 Driver" /v Decorated /d N /f >/dev/null 2>&1
[ -f "$reg" ] || { echo "wine-prefix-setup: prefix incomplete" >&2; exit 1; }
mkdir -p "$prefix/drive_c/windows/Fonts"
cp -n "$VNX_WINE_ROOT"/usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
# The raster "MS Sans Serif" that Windows has: without it Wine takes a
# scalable face, and the runner's dialogs (whose template asks for a point
# size of 1) come out one pixel high instead of at the face's smallest size.
cp -n "$VNX_WINE_ROOT"/usr/share/wine/fonts/sserife.fon "$prefix/drive_c/windows/Fonts/"
wineserver -w
echo "$(wine --version) $WINEARCH" >"$prefix/.vnx-ready"
