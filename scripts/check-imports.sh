#!/usr/bin/env bash
# The programs we ship import only libraries that Windows always takes from
# its system directory, its known DLLs: any other library named in an import
# table is looked for in the program's own folder first, where a download
# folder may hold one of anyone's making. Everything else is loaded at run
# time from the system directory (common/system_libraries.h).
#   check-imports.sh PROGRAM...
# Names every library outside the list, and a delay-load table, and exits 1.
set -euo pipefail
known=" advapi32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll shell32.dll user32.dll "

failed=0
for program in "$@"; do
  dump=$(x86_64-w64-mingw32-objdump -p "$program")
  while read -r library; do
    [[ "$known" == *" ${library,,} "* ]] && continue
    echo "$program imports $library, which is not one of the known DLLs"
    failed=1
  done < <(awk '/DLL Name:/ { print $3 }' <<<"$dump")
  if ! grep -Eq 'Entry d 0+ 0+ Delay Import Directory' <<<"$dump"; then
    echo "$program has a delay-load import table; load such libraries from the system directory instead"
    failed=1
  fi
done
[ "$failed" = 0 ] && echo "imports: known DLLs only in $# programs"
exit "$failed"
