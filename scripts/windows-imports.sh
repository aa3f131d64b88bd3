#!/usr/bin/env bash
# Checks that each Windows program imports only DLLs that come with Windows itself, so that it runs
# on a stock Windows with nothing else installed. Prints what each imports; exits non-zero when a
# program needs any other DLL.
# Usage: scripts/windows-imports.sh <program.exe>...
set -euo pipefail

status=0
for exe in "$@"; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print $3}')
  echo "$(basename "$exe") ($(stat -c %s "$exe") bytes) imports:" $dlls
  for dll in $dlls; do
    case "${dll,,}" in
      kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|msimg32.dll|ole32.dll|oleacc.dll|oleaut32.dll|msvcrt.dll|advapi32.dll|shell32.dll) ;;
      *) echo "$(basename "$exe") needs $dll, which Windows does not bring" >&2; status=1 ;;
    esac
  done
done
exit $status
