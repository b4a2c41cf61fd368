#!/usr/bin/env bash
# Fails if a PE file imports anything but Windows system DLLs (and, for the
# host exe, the smoke plug-in): no libstdc++/libgcc/libwinpthread DLLs.
set -euo pipefail
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
allowed='^(kernel32|user32|gdi32|ws2_32|advapi32|bcrypt|crypt32|msvcrt|shell32|ole32|secur32|wldap32|normaliz|iphlpapi|smokeplug)\.dll$'
rc=0
for f in "$@"; do
    dlls=$("$objdump" -p "$f" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
    [ -n "$dlls" ] || { echo "FAIL: $f has no import table"; rc=1; continue; }
    echo "$(basename "$f"): $(echo $dlls)"
    while read -r d; do
        if ! [[ $d =~ $allowed ]]; then
            echo "FAIL: $(basename "$f") imports non-system $d"
            rc=1
        fi
    done <<<"$dlls"
done
exit $rc
