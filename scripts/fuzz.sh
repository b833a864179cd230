#!/usr/bin/env bash
# Fuzzes the session reader: arbitrary bytes as the runner's executable,
# extracted into a scratch directory by the reader built with libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer (clang, build/fuzz).
#   fuzz.sh [SECONDS]     default 600; scripts/test.sh runs 60
# The corpus grows in build/fuzz/corpus across runs and starts from valid
# sessions made by vnxpack build. A finding is saved in build/fuzz/findings/
# and makes the script fail.
set -euo pipefail
seconds=${1:-600}
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

scripts/install-deps.sh
[ -f build/fuzz/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DVNX_FUZZ=ON >/dev/null
cmake --build build/fuzz --target extract_fuzzer >/dev/null
[ -f build/native/build.ninja ] || cmake -S . -B build/native -G Ninja -DVNX_SANITIZE=ON >/dev/null
cmake --build build/native --target vnxpack >/dev/null

# Seeds: small runners carrying sessions of every shape the reader meets.
seeds=build/fuzz/seeds
rm -rf "$seeds" && mkdir -p "$seeds"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
vnxpack=build/native/bin/vnxpack
head -c 64 /dev/zero >"$work/stub.exe"
mkdir -p "$work/tree/sub/deeper"
printf 'tiny' >"$work/tree/a.txt"
head -c 108 /dev/zero | tr '\0' 'r' >"$work/tree/raw108.dat"
seq 1 40 | tr -d '\n' | head -c 109 >"$work/tree/sub/zip109.dat"
: >"$work/tree/sub/empty.ini"
seq 1 15000 >"$work/tree/sub/deeper/pieces.txt"   # more than one 65536-byte piece
$vnxpack build -o "$seeds/one.exe" --stub "$work/stub.exe" "$work/tree/a.txt" >/dev/null
$vnxpack build -o "$seeds/tree.exe" --stub "$work/stub.exe" "$work/tree" >/dev/null
$vnxpack build -o "$seeds/placed.exe" --stub "$work/stub.exe" "$work/tree/a.txt=." \
  "$work/tree/raw108.dat=PTOOL.SATELLITE:PVIEW.EXE" "$work/tree/sub/zip109.dat=x\\y" >/dev/null
cp "$seeds/one.exe" "$seeds/chain.exe"
$vnxpack build -o "$seeds/chain.exe" --append --session Other "$work/tree/sub/zip109.dat" >/dev/null
$vnxpack build -o "$seeds/chain.exe" --append --session Third "$work/tree/raw108.dat" >/dev/null
cp "$seeds/tree.exe" "$seeds/twice.exe"
$vnxpack build -o "$seeds/twice.exe" --append "$work/tree/a.txt" >/dev/null
{ cat "$seeds/one.exe"; head -c 300 /dev/zero; } >"$seeds/trailing.exe"
$vnxpack build -o "$seeds/named.exe" --stub "$work/stub.exe" --session Elsewhere "$work/tree/a.txt" >/dev/null

corpus=build/fuzz/corpus
mkdir -p "$corpus" build/fuzz/findings
echo "== fuzzing the session reader for ${seconds} s"
build/fuzz/bin/extract_fuzzer "$corpus" "$seeds" \
  -max_total_time="$seconds" -max_len=65536 -timeout=20 -rss_limit_mb=2048 \
  -artifact_prefix=build/fuzz/findings/ -print_final_stats=1 >build/fuzz/last-run.log 2>&1 || {
  tail -n 60 build/fuzz/last-run.log
  echo "fuzz: finding saved in build/fuzz/findings/" >&2
  exit 1
}
grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^#[0-9]+ *DONE' build/fuzz/last-run.log
