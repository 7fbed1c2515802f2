#!/usr/bin/env bash
# Reads a Windows executable's PE headers, as objdump shows them, and checks what a user's system needs:
# the machine (i386 or x86-64), the GUI subsystem (no console window), and imports from system DLLs only
# (the C++ runtime is linked in). Prints the stripped size beside the 400 KB target.
# Usage: tools/check_exe.sh EXE i386|x86-64
set -euo pipefail
exe=$1
machine=$2
case $machine in
  i386) tools=i686-w64-mingw32 format=pei-i386 magic=PE32 ;;
  x86-64) tools=x86_64-w64-mingw32 format=pei-x86-64 magic=PE32+ ;;
  *) echo "usage: $0 EXE i386|x86-64" >&2; exit 2 ;;
esac
headers=$("$tools-objdump" -p "$exe")
fail() { echo "$exe: $*" >&2; exit 1; }
grep -q "file format $format\$" <<<"$headers" || fail "not $format"
grep "^Magic" <<<"$headers" | grep -qF "($magic)" || fail "not $magic"
grep -qE '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "not a GUI-subsystem program"
system='^(kernel32|user32|gdi32|comctl32|winmm|msvcrt|advapi32|shell32|ole32)\.dll$'
imports=$(sed -nE 's/^[[:space:]]*DLL Name: (.*)$/\1/p' <<<"$headers")
[ -n "$imports" ] || fail "imports nothing"
while read -r dll; do
  grep -qiE "$system" <<<"$dll" || fail "imports $dll, which is not a system DLL"
done <<<"$imports"
stripped=$(mktemp)
"$tools-strip" -o "$stripped" "$exe"
size=$(stat -c %s "$stripped")
rm -f "$stripped"
echo "$exe: $format, GUI subsystem, imports $(tr '\n' ' ' <<<"$imports"); stripped $((size / 1024)) KB (target 400 KB)"
