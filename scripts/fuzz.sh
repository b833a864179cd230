#!/usr/bin/env bash
# Fuzzes the runner's parsers with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer (clang, build/fuzz):
#   extract        arbitrary bytes as the runner's executable, extracted by
#                  the session reader into a scratch directory
#   settings       arbitrary bytes as a settings file, read as the runner and
#                  `vnxpack settings` read it
#   outside_texts  the presentation's WM_SETTEXT commands and the command line
#   branding       arbitrary bytes as a stub and an icon, branded by vnxpack
#
#   fuzz.sh [SECONDS [HARNESS...]]   each harness for SECONDS (default 600);
#                                    scripts/test.sh runs each for 30
# Each harness starts from fuzz/corpus/<harness> (inputs that raised coverage
# in long runs, kept in the repository) and, for the reader, from valid
# sessions made by vnxpack build; its working corpus grows in
# build/fuzz/corpus/<harness> across runs. A finding is saved in
# build/fuzz/findings/ and makes the script fail.
set -euo pipefail
seconds=${1:-600}
shift || true
harnesses=("$@")
[ ${#harnesses[@]} -gt 0 ] || harnesses=(extract settings outside_texts branding)
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

scripts/install-deps.sh
[ -f build/fuzz/build.ninja ] || CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DVNX_FUZZ=ON >/dev/null
cmake --build build/fuzz --target extract_fuzzer settings_fuzzer outside_texts_fuzzer branding_fuzzer >/dev/null
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

mkdir -p build/fuzz/findings
status=0
for harness in "${harnesses[@]}"; do
  corpus=build/fuzz/corpus/$harness
  mkdir -p "$corpus"
  inputs=("$corpus")
  [ -d "fuzz/corpus/$harness" ] && inputs+=("fuzz/corpus/$harness")
  limits=(-max_len=4096)
  if [ "$harness" = extract ]; then
    inputs+=("$seeds")
    limits=(-max_len=65536 -rss_limit_mb=2048)
  fi
  if [ "$harness" = branding ]; then
    limits=(-max_len=16384)  # its seeds are whole small programs with an icon
  fi
  echo "== fuzzing $harness for ${seconds} s"
  log=build/fuzz/last-$harness.log
  if build/fuzz/bin/${harness}_fuzzer "${inputs[@]}" -max_total_time="$seconds" -timeout=20 "${limits[@]}" \
      -artifact_prefix="build/fuzz/findings/$harness-" -print_final_stats=1 >"$log" 2>&1; then
    grep -aE '^stat::number_of_executed_units|^#[0-9]+ *DONE' "$log"
  else
    tail -n 60 "$log"
    echo "fuzz: $harness found something; saved in build/fuzz/findings/" >&2
    status=1
  fi
done
exit $status
