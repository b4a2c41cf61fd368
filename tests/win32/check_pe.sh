#!/usr/bin/env bash
# Checks cross-built Windows binaries as the host's loader will see them:
#   check_pe.sh --dll FILE EXPORT...   a PE32 DLL exporting exactly EXPORT... (undecorated)
#   check_pe.sh --exe FILE             a PE32 executable
# and, for both, an import table naming only Windows system DLLs (no libstdc++, libgcc or
# winpthread DLLs: the runtime is linked in).
set -euo pipefail
export LC_ALL=C  # objdump speaks the locale; the patterns below are English
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
system_dlls='^(kernel32|user32|gdi32|comctl32|imm32|ws2_32|advapi32|bcrypt|crypt32|msvcrt|shell32|ole32)\.dll$'

kind=$1 file=$2
shift 2
dump=$("$objdump" -p "$file")
name=$(basename "$file")
rc=0
fail() { echo "FAIL: $name: $*"; rc=1; }

grep -q 'file format pei-i386' <<<"$dump" || fail "not an i386 PE file"
grep -Eq '^Magic[[:space:]]+010b' <<<"$dump" || fail "not PE32"
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
