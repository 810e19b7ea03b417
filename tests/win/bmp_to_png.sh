#!/usr/bin/env bash
# Turns the dialog screenshots that the tests saved as BMP into PNG files.
set -euo pipefail
folder=$1
shopt -s nullglob
shots=("$folder"/*.bmp)
if ((${#shots[@]} == 0)); then
  echo "no screenshots in $folder" >&2
  exit 1
fi
for bmp in "${shots[@]}"; do
  convert "$bmp" "${bmp%.bmp}.png"
  echo "${bmp%.bmp}.png"
done
