#!/usr/bin/env bash
# Processor use of the runner's idle main loop under Wine: the bench program
# and wineserver together, in percent of one core over 5 seconds.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
cmake --build build/win --target idle_cpu_bench >/dev/null
prefix=$top/build/win/wineprefix

measure() {
  local ticks
  ticks=$(getconf CLK_TCK)
  for mode in polling waiting; do
    local server before after
    server=$(scripts/prefix-wineserver.sh)
    before=$(awk '{print $14 + $15}' "/proc/$server/stat")
    local TIMEFORMAT="%R %U %S"
    local times
    times=$( { time scripts/wine-exec.sh "$prefix" build/win/bin/idle_cpu_bench.exe "$mode" >/dev/null; } 2>&1 )
    after=$(awk '{print $14 + $15}' "/proc/$server/stat")
    read -r real user sys <<<"$times"
    awk -v m="$mode" -v r="$real" -v u="$user" -v s="$sys" -v w="$((after - before))" -v t="$ticks" 'BEGIN {
      printf "%-8s program %5.1f %%, wineserver %5.1f %%, together %5.1f %% of one core\n",
             m, 100 * (u + s) / r, 100 * w / t / r, 100 * (u + s + w / t) / r }'
  done
}
export -f measure
export prefix
scripts/with-wine.sh "$prefix" bash -c measure
