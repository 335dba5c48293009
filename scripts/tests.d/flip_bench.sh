#!/usr/bin/env bash
# The flip benchmark (tools/bench/flip_bench.sh) in its quick mode: it starts
# the program under Wine twice, turns the month window of the second start on
# by a few wheel notches and gives the figures of its table. How large they
# are is the benchmark's question (BENCHMARKS.md); this checks only that it
# runs and measures.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$("$root/tools/bench/flip_bench.sh" --quick 2>&1)
status=$?
echo "$out"
row=$(grep '^| Default | 100 % | 0 |' <<<"$out")
# The first month of the first start and of the next, and the flips.
if [ "$status" -ne 0 ] || ! grep -Eq '^\| Default \| 100 % \| 0 \| [0-9.]+ \| [0-9.]+ \| [0-9.]+ \|$' <<<"$row"; then
    echo "flip benchmark: no figures for Default at 100 % (exit status $status)"
    exit 1
fi
echo "flip benchmark: runs and measures"
