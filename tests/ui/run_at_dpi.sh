#!/usr/bin/env bash
# Runs a test program with the Wine prefix's screen resolution (LogPixels) set to DPI, and
# sets it back to 96 afterwards, however the program ends:
#   run_at_dpi.sh DPI EMULATOR... -- PROGRAM [ARGS...]
set -euo pipefail
dpi=$1
shift
emulator=()
while [ "$1" != -- ]; do
    emulator+=("$1")
    shift
done
shift
set_dpi() {
    "${emulator[@]}" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
    "${emulator[@]}" reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
}
trap 'set_dpi 96' EXIT
set_dpi "$dpi"
NETPROBE_EXPECT_DPI=$dpi "${emulator[@]}" "$@"
