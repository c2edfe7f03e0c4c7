#!/usr/bin/env bash
# The executable must import only DLLs that ship with every Windows (and not all of those).
set -euo pipefail
exe=$1
# Not COMCTL32: loading it at start-up loads uxtheme.dll before the program can restrict
# where DLLs come from, so a uxtheme.dll planted beside it would be taken (the edit box
# loads the common controls later, from the system).
allowed="^(KERNEL32|USER32|GDI32|SHELL32|ADVAPI32|OLE32|msvcrt)\.dll$"
dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
[ -n "$dlls" ] || { echo "no import table read from $exe"; exit 1; }
bad=$(grep -viE "$allowed" <<<"$dlls" || true)
echo "imports: $(tr '\n' ' ' <<<"$dlls")"
if [ -n "$bad" ]; then echo "import not allowed: $bad"; exit 1; fi
