#!/usr/bin/env bash
# Keeps the folders' includes pointing one way: common/ and contract/ at the
# bottom include nothing else of ours (and contract/ stays portable, without
# <windows.h>); session/ is a library over them; engine/ and projector/ are
# separate programs that share only common/ and contract/; tools/ adds
# session/. The application folders share the main object and may include
# each other. tests/, bench/ and fuzz/ may include anything. Prints every
# offending file:line and exits 1 when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

ours="common contract session runner window dialogs sound resources engine projector tools tests bench fuzz"
application="common contract session runner window dialogs sound resources"
declare -A allowed=(
  [common]="common"
  [contract]="contract"
  [session]="common contract session"
  [engine]="common contract engine"
  [projector]="common contract projector"
  [tools]="common contract session tools"
  [runner]=$application [window]=$application [dialogs]=$application [sound]=$application
  [resources]=$application
)

failed=0
for folder in $(printf '%s\n' "${!allowed[@]}" | sort); do
  # file:line:path for every quoted include that names one of our folders.
  while IFS=: read -r file line target; do
    top=${target%%/*}
    [[ " $ours " == *" $top "* ]] || continue
    [[ " ${allowed[$folder]} " == *" $top "* ]] && continue
    echo "$file:$line: $folder/ must not include \"$target\""
    failed=1
  done < <(grep -rnE --include='*.h' --include='*.cpp' --include='*.rc' --include='*.inc' \
    '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[^"]*/' "$folder" |
    sed -E 's/^([^:]*):([0-9]+):[^"]*"([^"]*)".*/\1:\2:\3/')
done
while IFS=: read -r file line _; do
  echo "$file:$line: contract/ must stay portable: no <windows.h>"
  failed=1
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<windows\.h>' contract || true)

[ "$failed" = 0 ] && echo "includes point down"
exit "$failed"
