#!/usr/bin/env bash
# Everything from a fresh Debian 12 machine to a verdict: installs what is
# missing, builds both builds and runs every test (native, then Windows under
# Wine 10 from the Debian 13 root in build/wine-root, made on first use, in a
# private Xvfb display). Exits non-zero on any failure.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

scripts/install-deps.sh
scripts/build.sh

echo "== native tests"
ctest --test-dir build/native -j "$(nproc)" --output-on-failure

echo "== Windows tests under Wine"
scripts/with-wine.sh build/win/wineprefix \
  ctest --test-dir build/win -j "$(nproc)" --output-on-failure
echo "== fuzzing (bounded)"
scripts/fuzz.sh 60
echo "== all tests passed"
