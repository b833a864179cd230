#!/usr/bin/env bash
# Time of one engine hook call under Wine, by the part the process plays.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
cmake --build build/win --target engine_hook_cost_bench vnxengine >/dev/null
prefix=$top/build/win/wineprefix
scripts/with-wine.sh "$prefix" scripts/wine-exec.sh "$prefix" build/win/bin/engine_hook_cost_bench.exe
