#!/usr/bin/env bash
# Builds the libFuzzer targets of tools/fuzz with clang in build/fuzz and runs
# each that has seeds in tools/fuzz/seeds/ for a bounded time
# (SOLVANE_FUZZ_SECONDS, default 30). A crash leaves the input that caused it
# in build/fuzz/artifacts/.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${SOLVANE_FUZZ_SECONDS:-30}
dir="$root/build/fuzz"

"$root/scripts/fuzz-build.sh"

status=0
mkdir -p "$dir/artifacts"
for seeds in "$root"/tools/fuzz/seeds/*/; do
    target=$(basename "$seeds")
    corpus="$dir/corpus/$target"
    mkdir -p "$corpus"
    log="$dir/$target.log"
    if "$dir/$target" "$corpus" "$seeds" -dict="$root/tools/fuzz/profile.dict" -max_total_time="$seconds" \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$dir/artifacts/" >"$log" 2>&1; then
        echo "fuzz: $target: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') runs, no failure"
    else
        echo "fuzz: $target FAILED; log: $log" >&2
        tail -n 40 "$log" >&2
        status=1
    fi
done
exit $status
