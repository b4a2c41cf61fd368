#!/usr/bin/env bash
# Converts the dialog screenshots that the UI tests wrote as BMP files into PNG files.
set -euo pipefail
dir=$1
command -v convert >/dev/null || { echo "imagemagick's convert is missing" >&2; exit 1; }
shopt -s nullglob
files=("$dir"/*.bmp)
[ ${#files[@]} -gt 0 ] || { echo "no screenshots in $dir" >&2; exit 1; }
for bmp in "${files[@]}"; do
    convert "$bmp" "${bmp%.bmp}.png"
    echo "${bmp%.bmp}.png"
done
