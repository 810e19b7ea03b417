#!/usr/bin/env bash
# Times kx27c on generated exchange files, in one run:
#  - wall time on 100,000, 1,000,000 and 4,000,000 mixed elements, the best
#    of several runs, beside a plain copy of the same file (and on one core);
#  - peak memory against the file's size for a typical, a dimension-heavy and
#    a text-heavy mix of 1,000,000 elements;
#  - the picture of the selection on 100,000 and 1,000,000 elements of a
#    floor plan and of the typical mix: built, and painted through the
#    culling painter with the window's rasteriser into a plain bitmap.
#   bench/run_benchmark.sh [BUILD_DIR]   (default: build/native)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/native}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target kx27c generate_exchange picture_bench -j2 >/dev/null
kx27c=$build/app/console/kx27c
generate=$build/bench/generate_exchange
picture=$build/bench/picture_bench
runs=5

work=$(mktemp -d /tmp/kx27-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

# Preset 1 gives every layer a line type; dimension lines convert too.
{
  printf '0\r\n0\r\n\r\n1\r\nbenchmark\r\n'
  for i in $(seq 0 255); do printf '%d\r\n' $((i % 9 + 1)); done
  for i in $(seq 1 4883); do printf '\r\n'; done
  printf '1\r\n'
} >"$work/kx27.dat"

# The best wall time of the runs of a command, in seconds.
best_of() {
  local best=
  for _ in $(seq 1 "$runs"); do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    local took=$(((end - start) / 1000))
    if [ -z "$best" ] || [ "$took" -lt "$best" ]; then best=$took; fi
  done
  awk -v us="$best" 'BEGIN { printf "%.3f", us / 1e6 }'
}

convert() { "$@" -q -s "$work/kx27.dat" -o "$work/out.txt" "$input"; }

echo "machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)"
echo "load before the run: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
echo "time (best of $runs)        file      kx27c     copy  kx27c/copy  kx27c on one core"
for elements in 100000 1000000 4000000; do
  input=$work/in.txt
  "$generate" "$input" "$elements" 1
  bytes=$(stat -c %s "$input")
  kx=$(best_of convert "$kx27c")
  copy=$(best_of cp "$input" "$work/copy.txt")
  one=$(best_of convert taskset -c 0 "$kx27c")
  awk -v n="$elements" -v b="$bytes" -v kx="$kx" -v copy="$copy" -v one="$one" 'BEGIN {
    printf "%9d elements  %7.1f MB  %7.3f s  %6.3f s  %9.1f x  %8.3f s\n",
      n, b / 1e6, kx, copy, kx / copy, one }'
done

echo
echo "peak memory, 1,000,000 elements    file      peak   peak/file"
for mix in typical dimensions texts; do
  input=$work/in.txt
  "$generate" "$input" 1000000 1 "$mix"
  bytes=$(stat -c %s "$input")
  /usr/bin/time -f '%M' -o "$work/peak.txt" "$kx27c" -q -s "$work/kx27.dat" -o "$work/out.txt" "$input"
  awk -v mix="$mix" -v b="$bytes" '{
    printf "  %-30s %7.1f MB  %6.1f MB  %6.2f x\n", mix, b / 1e6, $1 * 1024 / 1e6, $1 * 1024 / b }' \
    "$work/peak.txt"
done

echo
echo "picture of the selection (best of 5)"
for mix in plan typical; do
  for elements in 100000 1000000; do
    input=$work/in.txt
    echo "$mix:"
    "$generate" "$input" "$elements" 1 "$mix"
    "$picture" "$input"
  done
done
