#!/usr/bin/env bash
# Checks that the dist folder runs on a clean Windows: every DLL a binary imports is either a
# system DLL or one of ours in the same folder.
set -euo pipefail
dist="$1"
objdump=x86_64-w64-mingw32-objdump
ours=$(cd "$dist" && ls *.dll 2>/dev/null | tr 'A-Z' 'a-z')
status=0
for binary in "$dist"/*.exe "$dist"/*.dll; do
  [ -e "$binary" ] || continue
  while read -r dll; do
    lower=$(echo "$dll" | tr 'A-Z' 'a-z')
    if echo "$ours" | grep -qx "$lower"; then continue; fi
    case "$lower" in
      kernel32.dll|user32.dll|gdi32.dll|advapi32.dll|shell32.dll|shlwapi.dll|ole32.dll|oleaut32.dll|\
      comctl32.dll|comdlg32.dll|wininet.dll|setupapi.dll|psapi.dll|dbghelp.dll|version.dll|rpcrt4.dll|\
      msvcrt.dll|ws2_32.dll|urlmon.dll|msimg32.dll|winmm.dll|uxtheme.dll|userenv.dll|imm32.dll|wintrust.dll|\
      bcrypt.dll|api-ms-win-*) ;;
      *) echo "$(basename "$binary") needs $dll, which a clean Windows does not have"; status=1 ;;
    esac
  done < <($objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p')
done
[ $status -eq 0 ] && echo "dist: $(ls "$dist" | tr '\n' ' ')"
exit $status
