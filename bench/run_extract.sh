#!/usr/bin/env bash
# The session reader's speed and memory, natively, in one run on this
# machine: extraction of a 272 MiB session against plain zlib inflate, the
# backward search past 4 MiB of trailing bytes, and the peak memory of
# extracting a 1 GiB file. An optimised build without sanitizers
# (build/bench); about 2.5 GiB of scratch space in build/bench/work.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
[ -f build/bench/build.ninja ] || cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench --target extract_bench >/dev/null
build/bench/bin/extract_bench "$top/build/bench/work"
