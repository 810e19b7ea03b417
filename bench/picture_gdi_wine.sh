#!/usr/bin/env bash
# Times, under Wine, the dialog's picture painted with GDI on 100,000 and
# 1,000,000 typical elements, as picture_gdi_bench.exe measures it.
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
for elements in 100000 1000000; do
  "$native/bench/generate_exchange" "$work/drawing.txt" "$elements" 1
  cmake/wine-run.sh "$win/bench/picture_gdi_bench.exe" "Z:${work//\//\\}\\drawing.txt"
done
