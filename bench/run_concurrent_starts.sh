#!/usr/bin/env bash
# Runners started at the same moment, many rounds, under Wine:
#   run_concurrent_starts.sh [ROUNDS]   (default 50)
# ROUNDS rounds of six runners of one executable, then ROUNDS rounds of ten
# runners of ten executables, all below one temporary base directory
# (C:\vnx-crowd-bench in the prefix). After every round the prefix restarts
# as Windows restarts (wineserver -k, wineboot -r), which carries out the
# deletions the runners scheduled; the base directory must then be empty.
# The prefix is its own (build/bench-prefix), since it restarts so often.
# Prints the figures of each kind and exits 1 when any round saw a fault.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
rounds=${1:-50}
scripts/build.sh >/dev/null
cmake --build build/win --target concurrent_starts_bench >/dev/null
export rounds prefix=$top/build/bench-prefix bench=$top/build/win/bin/concurrent_starts_bench.exe

run_rounds() {
  local base_unix=$WINEPREFIX/drive_c/vnx-crowd-bench faults=0
  for kind in "1 6" "10 1"; do
    read -r executables each <<<"$kind"
    local log
    log=$(mktemp)
    rm -rf "$base_unix"
    for ((r = 1; r <= rounds; r++)); do
      wine "$bench" "$executables" "$each" 1 'C:\vnx-crowd-bench' >>"$log" 2>&1 || faults=$((faults + 1))
      wineserver -k
      wineserver -w
      wine wineboot -r >/dev/null 2>&1
      wineserver -p
      local left
      left=$(find "$base_unix" -mindepth 1 2>/dev/null | wc -l)
      echo "after-restart-left $left" >>"$log"
      [ "$left" -eq 0 ] || faults=$((faults + 1))
    done
    grep 'problem:' "$log" | sed 's/^/    /' | head -40 || true
    local median most
    median=$(awk '/^started/ { print $NF }' "$log" | sort -n | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }')
    most=$(awk '/^started/ { print $NF }' "$log" | sort -n | tail -1)
    awk -v e="$executables" -v n="$each" -v median="$median" -v most="$most" '
      /^started/ { rounds++; for (i = 1; i < NF; i += 2) sum[$i] += $(i + 1) }
      /^after-restart-left/ { after += $2 }
      END {
        printf "%d runners of %d executable(s) at once, %d rounds: started %d, shown %d, error boxes %d, " \
               "wrong settings %d, collisions %d, unclean ends %d, left before restart %d, left after restart %d; " \
               "all shown after %d ms median, %d ms at most\n", e * n, e, rounds, sum["started"], sum["shown"],
               sum["error-boxes"], sum["wrong-settings"], sum["collisions"], sum["unclean-ends"], sum["left"],
               after, median, most }' "$log"
    rm -f "$log"
  done
  rm -rf "$base_unix"
  [ "$faults" -eq 0 ]
}
export -f run_rounds
scripts/with-wine.sh "$prefix" bash -c run_rounds
