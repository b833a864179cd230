#!/usr/bin/env bash
# Chaos under Wine: presentations killed at random instants, each followed by
# a normal one that must come up, close and clean up.
#   run_chaos.sh [ROUNDS [BATCH]]   (default 200 rounds in batches of 20)
# After every batch the leftovers are inspected (files not queued for the
# next start, projector processes, mappings and start-up atoms of ours), the
# prefix restarts as Windows restarts and the temporary base directory must
# then be empty. The prefix is its own (build/bench-prefix).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
rounds=${1:-200}
batch=${2:-20}
scripts/build.sh >/dev/null
cmake --build build/win --target chaos_bench >/dev/null
export rounds batch bench=$top/build/win/bin/chaos_bench.exe log=$top/build/bench/chaos.log
mkdir -p "$top/build/bench"

run_batches() {
  local base_unix=$WINEPREFIX/drive_c/vnx-chaos-bench faults=0 seed=1
  : >"$log"
  rm -rf "$base_unix"
  for ((done = 0; done < rounds; done += batch)); do
    wine "$bench" "$batch" "$seed" 'C:\vnx-chaos-bench' >>"$log" 2>/dev/null || faults=$((faults + 1))
    seed=$((seed + 1))
    wineserver -k
    wineserver -w
    wine wineboot -r >/dev/null 2>&1
    wineserver -p || true
    local left
    left=$(find "$base_unix" -mindepth 1 2>/dev/null | wc -l)
    echo "after-restart-left $left" >>"$log"
    [ "$left" -eq 0 ] || faults=$((faults + 1))
  done
  grep 'problem:' "$log" | head -40 || true
  awk '/^rounds/ { for (i = 1; i < NF; i += 2) sum[$i] += $(i + 1) }
       /^after-restart-left/ { after += $2 }
       END {
         printf "rounds %d: runner kills %d (%d before any projector ran), projector kills %d; failed starts %d, " \
                "unclean ends %d, stray projectors %d, mappings left %d, atoms left %d, files left before restart %d, " \
                "after restart %d\n", sum["rounds"], sum["runner-kills"], sum["killed-before-projector"],
                sum["projector-kills"], sum["failed-starts"], sum["unclean-ends"], sum["stray-projectors"],
                sum["mappings"], sum["atoms"], sum["left"], after }' "$log"
  rm -rf "$base_unix"
  [ "$faults" -eq 0 ]
}
export -f run_batches
scripts/with-wine.sh "$top/build/bench-prefix" bash -c run_batches
