#!/usr/bin/env bash
# Times, under Wine, the dialog's picture as its window paints it, on
# 100,000 and 1,000,000 elements of a generated floor plan and, for the
# worst case, of the typical mix, whose lines and solids nearly all span
# the drawing; as picture_gdi_bench.exe measures it.
#   bench/picture_gdi_wine.sh [WIN_BUILD_DIR] [NATIVE_BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

source cmake/windows-build.sh
win=${1:-$kx27_win_build}
native=${2:-build/native}
cmake --build "$native" --target generate_exchange -j2 >/dev/null
cmake --build "$win" --target picture_gdi_bench -j2 >/dev/null

work=$(mktemp -d "$PWD/$win/picture-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
for mix in plan typical; do
  for elements in 100000 1000000; do
    echo "$mix:"
    "$native/bench/generate_exchange" "$work/drawing.txt" "$elements" 1 "$mix"
    cmake/wine-run.sh "$win/bench/picture_gdi_bench.exe" "Z:${work//\//\\}\\drawing.txt"
  done
done
