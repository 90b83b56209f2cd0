#!/usr/bin/env bash
# Runs every benchmark executable of the bench build. Each prints its figures
# as ratios to an anchor measured in the same run.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
found=0
for b in "$here"/build/bench/bench/bench_*; do
  [ -x "$b" ] || continue
  found=1
  echo "== $(basename "$b")"
  "$b" --benchmark_counters_tabular=true
done
[ $found = 1 ] || echo "no benchmarks built"
