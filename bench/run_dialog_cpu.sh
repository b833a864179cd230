#!/usr/bin/env bash
# Processor use of the runner while one of its dialogs sits open under Wine:
# the Setup dialog ("/c") and the password dialog of a locked presentation,
# each for 5 seconds, the runner's process and wineserver together, in
# percent of one core.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
scripts/build.sh >/dev/null
work=$top/build/bench/dialog-cpu
rm -rf "$work"
mkdir -p "$work/stage"
cp build/win/bin/projector5.exe "$work/stage/player.exe"
cp build/win/bin/vnxengine.dll "$work/stage/"
hash=$(build/native/bin/vnxpack hash-password secret)
printf '[Settings]\r\nPellam Screen Name=Dialog bench\r\nPassword=0\r\nSound=2\r\nMidi=2\r\n' >"$work/stage/show.ini"
build/native/bin/vnxpack build -o "$work/setupbench.exe" --stub build/win/bin/runner.exe "$work/stage" >/dev/null
printf '[Settings]\r\nPellam Screen Name=Dialog bench\r\nPassword=1\r\nAlignmentX=%s\r\n' "$hash" >"$work/stage/show.ini"
build/native/bin/vnxpack build -o "$work/lockbench.exe" --stub build/win/bin/runner.exe "$work/stage" >/dev/null
export work

measure() {
  local ticks
  ticks=$(getconf CLK_TCK)
  for kind in "Setup dialog|setupbench.exe|/c" "password dialog|lockbench.exe|"; do
    IFS='|' read -r name exe argument <<<"$kind"
    wine "$work/$exe" $argument &
    local wine_pid=$! runner="" server
    # The Windows process is the Linux process whose command line names the
    # executable and which owns the dialog's window.
    for _ in $(seq 50); do
      local window
      window=$(xdotool search --onlyvisible --name "Dialog bench" 2>/dev/null | head -1 || true)
      [ -n "$window" ] && runner=$(xdotool getwindowpid "$window" 2>/dev/null || true)
      [ -n "$runner" ] && break
      sleep 0.2
    done
    [ -n "$runner" ] || { echo "no $name appeared" >&2; exit 1; }
    sleep 1
    server=$(scripts/prefix-wineserver.sh)
    local r0 s0 r1 s1
    r0=$(awk '{print $14 + $15}' "/proc/$runner/stat")
    s0=$(awk '{print $14 + $15}' "/proc/$server/stat")
    sleep 5
    r1=$(awk '{print $14 + $15}' "/proc/$runner/stat")
    s1=$(awk '{print $14 + $15}' "/proc/$server/stat")
    awk -v n="$name" -v r=$((r1 - r0)) -v s=$((s1 - s0)) -v t="$ticks" 'BEGIN {
      printf "%-16s runner %5.1f %%, wineserver %5.1f %%, together %5.1f %% of one core\n",
             n, 100 * r / t / 5, 100 * s / t / 5, 100 * (r + s) / t / 5 }'
    kill "$runner" 2>/dev/null || true
    wait "$wine_pid" 2>/dev/null || true
  done
}
export -f measure
scripts/with-wine.sh "$top/build/win/wineprefix" bash -c measure
