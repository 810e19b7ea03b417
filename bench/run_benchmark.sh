#!/usr/bin/env bash
# Times kx27c on generated exchange files of 100,000 and 1,000,000 mixed
# elements: wall time, CPU time and peak memory against the file's size.
#   bench/run_benchmark.sh [BUILD_DIR]   (default: build/native)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build/native}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target kx27c generate_exchange -j2 >/dev/null
kx27c=$build/app/kx27c
generate=$build/bench/generate_exchange

work=$(mktemp -d /tmp/kx27-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

# Preset 1 gives every layer a line type; dimension lines convert too.
{
  printf '0\r\n0\r\n\r\n1\r\nbenchmark\r\n'
  for i in $(seq 0 255); do printf '%d\r\n' $((i % 9 + 1)); done
  for i in $(seq 1 4883); do printf '\r\n'; done
  printf '1\r\n'
} >"$work/kx27.dat"

runs=5
for elements in 100000 1000000; do
  input=$work/in-$elements.txt
  "$generate" "$input" "$elements" 1
  bytes=$(stat -c %s "$input")
  awk -v n="$elements" -v b="$bytes" 'BEGIN { printf "\n%d elements, %.1f MB:\n", n, b / 1e6 }'
  if command -v hyperfine >/dev/null; then
    hyperfine --warmup 1 --runs "$runs" \
      "$kx27c -q -s $work/kx27.dat -o $work/out.txt $input"
  fi
  for run in $(seq 1 "$runs"); do
    /usr/bin/time -f '%e %U %S %M' -o "$work/time.txt" \
      "$kx27c" -q -s "$work/kx27.dat" -o "$work/out.txt" "$input"
    awk -v run="$run" -v b="$bytes" '{
      printf "  run %d: %.3f s wall, %.3f s CPU, peak %.1f MB = %.2f x file\n",
        run, $1, $2 + $3, $4 * 1024 / 1e6, $4 * 1024 / b }' "$work/time.txt"
  done | tee "$work/runs.txt"
  sort -t: -k2 -n "$work/runs.txt" | head -1 | sed 's/^  run [0-9]*:/  best:/'
done
