#!/usr/bin/env bash
# Every C++ file of ours as .clang-format writes it. Pinned to Debian 12's
# clang-format 14: another version lays a few constructs out differently.
# Prints the first differences of each file that is off and exits 1; run
#   git ls-files '*.cpp' '*.h' | xargs clang-format-14 -i
# to put them right.
set -euo pipefail
cd "$(dirname "$0")/.."
echo "== format check"
if ! git ls-files -z '*.cpp' '*.h' | xargs -0 -P "$(nproc)" -n 40 clang-format-14 --dry-run --Werror --ferror-limit=3; then
  echo "format check: files above are off; git ls-files '*.cpp' '*.h' | xargs clang-format-14 -i puts them right" >&2
  exit 1
fi
