#!/usr/bin/env bash
# Reads a Windows executable's PE headers, as objdump shows them, and checks what a user's system needs:
# the machine (i386 or x86-64), the GUI subsystem (no console window), imports from system DLLs only (the
# C++ runtime is linked in), at most 400,000 bytes once stripped, and OS and subsystem versions in the
# header that name the oldest Windows with every imported function, so that an older one refuses the
# program by name rather than failing at a missing entry point; and its hardening: loaded at a random
# address (with the relocations that takes), from the whole 64-bit range on x86-64, data not executable,
# and no link time in the header, which would make every build differ.
# Usage: tools/check_exe.sh EXE i386|x86-64
set -euo pipefail
exe=$1
machine=$2
case $machine in
  i386) tools=i686-w64-mingw32 format=pei-i386 magic=PE32 hardening="DYNAMIC_BASE NX_COMPAT" ;;
  x86-64) tools=x86_64-w64-mingw32 format=pei-x86-64 magic=PE32+
          hardening="DYNAMIC_BASE NX_COMPAT HIGH_ENTROPY_VA" ;;
  *) echo "usage: $0 EXE i386|x86-64" >&2; exit 2 ;;
esac
limit=400000

# Functions of the system DLLs that older Windows versions lack, by the version that brought them; a
# program importing none of them runs on Windows XP (5.1), the oldest the MinGW runtime supports.
newer_functions=(
  "6.0 GetTickCount64 GetFinalPathNameByHandleW GetFinalPathNameByHandleA SetFileInformationByHandle
       GetFileInformationByHandleEx CreateSymbolicLinkW CreateSymbolicLinkA CompareStringOrdinal
       InitializeSRWLock AcquireSRWLockExclusive AcquireSRWLockShared ReleaseSRWLockExclusive
       ReleaseSRWLockShared InitializeConditionVariable SleepConditionVariableCS SleepConditionVariableSRW
       WakeConditionVariable WakeAllConditionVariable InitOnceExecuteOnce SetProcessDPIAware TaskDialog
       TaskDialogIndirect"
  "6.1 TryAcquireSRWLockExclusive TryAcquireSRWLockShared"
  "6.2 GetSystemTimePreciseAsFileTime"
  "10.0 GetDpiForWindow GetDpiForSystem AdjustWindowRectExForDpi SystemParametersInfoForDpi
        GetSystemMetricsForDpi SetProcessDpiAwarenessContext SetThreadDpiAwarenessContext
        EnableNonClientDpiScaling")

headers=$("$tools-objdump" -p "$exe")
fail() { echo "$exe: $*" >&2; exit 1; }
grep -q "file format $format\$" <<<"$headers" || fail "not $format"
grep "^Magic" <<<"$headers" | grep -qF "($magic)" || fail "not $magic"
grep -qE '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "not a GUI-subsystem program"
# objdump names each flag of DllCharacteristics on a line of its own below it.
characteristics=$(sed -n '/^DllCharacteristics/,/^SizeOfStackReserve/p' <<<"$headers")
for flag in $hardening; do
  grep -qw "$flag" <<<"$characteristics" || fail "lacks $flag"
done
grep -q "relocations stripped" <<<"$headers" && fail "has its relocations stripped"
"$tools-objdump" -h "$exe" | grep -qE '^ +[0-9]+ \.reloc ' || fail "has no .reloc section"
# The COFF header's TimeDateStamp, 8 bytes into the PE header, whose offset is at 0x3c.
pe_header=$(($(od -An -tu4 -j60 -N4 "$exe")))
link_time=$(($(od -An -tu4 -j$((pe_header + 8)) -N4 "$exe")))
[ "$link_time" -eq 0 ] || fail "has its link time in the header ($link_time)"
system='^(kernel32|user32|gdi32|comctl32|winmm|msvcrt|advapi32|shell32|ole32)\.dll$'
imports=$(sed -nE 's/^[[:space:]]*DLL Name: (.*)$/\1/p' <<<"$headers")
[ -n "$imports" ] || fail "imports nothing"
while read -r dll; do
  grep -qiE "$system" <<<"$dll" || fail "imports $dll, which is not a system DLL"
done <<<"$imports"

# objdump lists each imported function as: address, hint, name.
functions=$(sed -nE 's/^[[:space:]]+[0-9a-f]+[[:space:]]+[0-9]+[[:space:]]+([A-Za-z_][A-Za-z0-9_@]*)$/\1/p' <<<"$headers")
needed=5.1
because=()
for entry in "${newer_functions[@]}"; do
  read -r version names <<<"$(tr -s ' \n' ' ' <<<"$entry")"
  for name in $names; do
    if grep -qx "$name" <<<"$functions"; then
      needed=$version
      because+=("$name")
    fi
  done
done
field() { sed -nE "s/^$1[[:space:]]+([0-9]+)$/\1/p" <<<"$headers"; }
os="$(field MajorOSystemVersion).$(field MinorOSystemVersion)"
subsystem="$(field MajorSubsystemVersion).$(field MinorSubsystemVersion)"
[ "$os" = "$needed" ] && [ "$subsystem" = "$needed" ] ||
  fail "the header says OS $os, subsystem $subsystem; the imports need Windows $needed (${because[*]:-none newer})"

stripped=$(mktemp)
"$tools-strip" -o "$stripped" "$exe"
size=$(stat -c %s "$stripped")
rm -f "$stripped"
[ "$size" -le "$limit" ] || fail "stripped it takes $size bytes, over $limit"
echo "$exe: $format, GUI subsystem, $hardening, no link time," \
     "Windows $needed and later (${because[*]:-no newer functions})," \
     "imports $(tr '\n' ' ' <<<"$imports"); stripped $size bytes (at most $limit)"
