#!/usr/bin/env bash
# Runs every fuzz target of a KX27_FUZZ build for a bounded time, starting
# from its seed corpus in fuzz/corpus/<name>; what it finds on the way goes
# to BUILD_DIR/corpus/<name>, never into the repository. Fails on the first
# crash, sanitizer report or broken invariant, and shows the report.
#   fuzz/run.sh BUILD_DIR [SECONDS_EACH]   (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."

build=$1
seconds=${2:-60}
for name in exchange settings jwf number; do
  corpus=$build/corpus/$name
  log=$build/fuzz-$name.log
  mkdir -p "$corpus" "$build/artifacts"
  if ! "$build/fuzz/${name}_fuzz" -max_total_time="$seconds" -timeout=25 -print_final_stats=1 \
      -artifact_prefix="$build/artifacts/$name-" "$corpus" "fuzz/corpus/$name" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "${name}_fuzz failed; the input is in $build/artifacts/" >&2
    exit 1
  fi
  echo "${name}_fuzz: $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') inputs in ${seconds} s, no failure"
done
