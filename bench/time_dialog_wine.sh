#!/usr/bin/env bash
# Times, under Wine, what the user waits for after OK in the dialog (from the
# click on OK to the end of the program) beside a whole run of kx27c.exe on
# the same drawing, best of several runs each, as time_dialog.exe measures
# them from inside Wine.
#   bench/time_dialog_wine.sh [ELEMENTS] [WIN64_BUILD_DIR] [NATIVE_BUILD_DIR] [PROGRAM_DIR]
# PROGRAM_DIR holds the kx27.exe and kx27c.exe to time (default: the build's).
# The programs run on Wine's virtual desktop: on the bare display, without a
# window manager, Wine waits 2 s for each window to be withdrawn when it
# closes, whatever the program does.
set -euo pipefail
cd "$(dirname "$0")/.."

elements=${1:-200000}
source cmake/windows-build.sh
win=${2:-$kx27_win_build}
native=${3:-build/native}
cmake --build "$native" --target generate_exchange -j2 >/dev/null
cmake --build "$win" --target kx27 kx27c time_dialog -j2 >/dev/null

work=$(mktemp -d "$PWD/$win/dialog-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
if [ -n "${4:-}" ]; then
  cp "$4/kx27.exe" "$4/kx27c.exe" "$work/"
else
  cp "$win/app/win/kx27.exe" "$win/app/console/kx27c.exe" "$work/"
fi
"$native/bench/generate_exchange" "$work/drawing.txt" "$elements" 1
# Preset 1, current, gives every layer a line type; dimension lines convert too.
{
  printf '0\r\n0\r\n\r\n1\r\nbenchmark\r\n'
  for i in $(seq 0 255); do printf '%d\r\n' $((i % 9 + 1)); done
  for i in $(seq 1 4883); do printf '\r\n'; done
  printf '1\r\n'
} >"$work/kx27.dat"

printf '%d elements under Wine: ' "$elements"
KX27_DESKTOP=1 cmake/wine-run.sh "$win/bench/time_dialog.exe" "Z:${work//\//\\}"
