#!/usr/bin/env bash
# Checks cross-built Windows binaries as the host's loader will see them:
#   check_pe.sh --dll FILE EXPORT...   a DLL exporting exactly EXPORT... (undecorated)
#   check_pe.sh --exe FILE             an executable
# of the width PE_ARCH names (win32: PE32 for i386, the default; win64: PE32+ for x86-64),
# and, for both, an import table naming only Windows system DLLs (no libstdc++, libgcc or
# winpthread DLLs: the runtime is linked in); comdlg32 only for an executable.
set -euo pipefail
export LC_ALL=C  # objdump speaks the locale; the patterns below are English
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
system_list='kernel32|user32|gdi32|comctl32|imm32|ws2_32|advapi32|bcrypt|crypt32|msvcrt|shell32|ole32|oleacc|oleaut32'

kind=$1 file=$2
# A program may also ask for a file name (the report window's save dialog); the module never does.
[ "$kind" = --exe ] && system_list+='|comdlg32'
system_dlls="^($system_list)\\.dll$"
shift 2
dump=$("$objdump" -p "$file")
name=$(basename "$file")
rc=0
fail() { echo "FAIL: $name: $*"; rc=1; }

case ${PE_ARCH:-win32} in
    win32) format=pei-i386 magic=010b kind_name=PE32 ;;
    win64) format=pei-x86-64 magic=020b kind_name=PE32+ ;;
    *) echo "check_pe.sh: PE_ARCH must be win32 or win64" >&2; exit 2 ;;
esac
grep -q "file format $format" <<<"$dump" || fail "not a $format file"
grep -Eq "^Magic[[:space:]]+$magic" <<<"$dump" || fail "not $kind_name"
characteristics=$(awk '$1 == "Characteristics" {print $2; exit}' <<<"$dump")
is_dll=$(( characteristics & 0x2000 ))
case $kind in
    --dll) [ "$is_dll" -ne 0 ] || fail "not a DLL" ;;
    --exe) [ "$is_dll" -eq 0 ] || fail "a DLL, not an executable" ;;
    *) echo "usage: check_pe.sh --dll FILE EXPORT... | --exe FILE" >&2; exit 2 ;;
esac

imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | tr 'A-Z' 'a-z' | sort -u)
echo "$name imports: $(echo $imports)"
[ -n "$imports" ] || fail "no import table"
while read -r dll; do
    [ -z "$dll" ] || [[ $dll =~ $system_dlls ]] || fail "imports non-system $dll"
done <<<"$imports"

if [ "$kind" = --dll ]; then
    # The names under "[Ordinal/Name Pointer] Table" are the exported names.
    exports=$(awk '/\[Ordinal\/Name Pointer\] Table/ {on=1; next}
                   on && /^[[:space:]]*\[ *[0-9]+\]/ {print $NF; next}
                   on {on=0}' <<<"$dump" | sort | tr '\n' ' ')
    want=$(printf '%s\n' "$@" | sort | tr '\n' ' ')
    echo "$name exports: $exports"
    [ "$exports" = "$want" ] || fail "exports '$exports', expected '$want'"
fi
exit $rc
