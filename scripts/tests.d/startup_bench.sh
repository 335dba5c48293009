#!/usr/bin/env bash
# The start-up benchmark (tools/bench/startup_bench.sh) runs: in its quick
# mode, one start of the trivial program and of the build's Solvane.exe
# under Wine, each with its time to a visible window and its idle memory.
# How fast is BENCHMARKS.md's question, never a check's.
. "$(dirname "$0")/../check-lib.sh"
out=$("$root/tools/bench/startup_bench.sh" --quick 2>&1)
echo "$out" | sed 's/^/        /'
check "the trivial program's window is seen, its time and memory measured" \
    grep -Eq '^trivial +visible +[0-9]+ ms .* RSS +[0-9.]+ MB' <<<"$out"
check "and Solvane.exe's month window from build/win64/dist" \
    grep -Eq '^win64/dist#1 +visible +[0-9]+ ms \([0-9.]+x\) .* RSS +[0-9.]+ MB \([0-9.]+x\)' <<<"$out"
summary "startup bench"
