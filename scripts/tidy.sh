#!/usr/bin/env bash
# clang-tidy over the portable code: every file the native build compiles
# outside tests/, bench/ and fuzz/, with the checks .clang-tidy names. Exits
# non-zero on any finding.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
[ -f build/native/compile_commands.json ] || cmake -S . -B build/native -G Ninja -DVNX_SANITIZE=ON >/dev/null
files=$(python3 - <<'PY'
import json
entries = json.load(open("build/native/compile_commands.json"))
top = __import__("os").getcwd() + "/"
files = sorted({e["file"] for e in entries})
print("\n".join(f for f in files if not f[len(top):].startswith(("tests/", "bench/", "fuzz/"))))
PY
)
count=$(echo "$files" | wc -l)
echo "== clang-tidy over $count portable files"
# One process a core; clang does not know every warning option of g++.
echo "$files" | xargs -P "$(nproc)" -n 4 clang-tidy -p build/native --quiet \
  --extra-arg=-Wno-unknown-warning-option 2>/dev/null
echo "== clang-tidy: no findings"
