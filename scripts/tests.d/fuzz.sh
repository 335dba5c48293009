#!/usr/bin/env bash
# Builds the libFuzzer targets of tools/fuzz with clang in build/fuzz and runs
# each for a bounded time (SOLVANE_FUZZ_SECONDS, default 30) from its seeds. A
# crash leaves the input that caused it in build/fuzz/artifacts/.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${SOLVANE_FUZZ_SECONDS:-30}
jobs=${SOLVANE_JOBS:-$(nproc)}
dir="$root/build/fuzz"

if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$root/tools/fuzz" -B "$dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$dir" -j "$jobs" -- --no-print-directory >/dev/null

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
