#!/usr/bin/env bash
# Every fuzz target as a 32-bit program (i686, built with its replay driver
# in build/fuzz32) under qemu-i386: its seeds, then mutated inputs for a short
# time each (SOLVANE_FUZZ32_SECONDS, default 8). Sizes, lengths and offsets
# that only overflow where size_t and long are 4 bytes show here, as in the
# 32-bit release. A failing input is left in build/fuzz32/artifacts/.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
seconds=${SOLVANE_FUZZ32_SECONDS:-8}
dir=build/fuzz32

scripts/fuzz-build.sh 32
scripts/festival-fuzz-seeds.sh "$dir/seeds/festival_rules_fuzz"

run() {  # target, dictionary, seed folders...
    local target=$1 dictionary=$2 log="$dir/$1.log"
    shift 2
    if qemu-i386 -L /usr/i686-linux-gnu "$dir/$target" "$@" -dict="$dictionary" -max_total_time="$seconds" \
        -artifact_prefix="$dir/artifacts/$target-" >"$log" 2>&1; then
        echo "fuzz32: $target: $(grep -o 'executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') runs, no failure"
    else
        echo "fuzz32: $target FAILED; log: $log" >&2
        tail -n 20 "$log" >&2
        status=1
    fi
}

status=0
mkdir -p "$dir/artifacts"
ran=0
for target in "$dir"/*_fuzz; do
    name=$(basename "$target")
    if [ "$name" = festival_rules_fuzz ]; then
        run "$name" festivals/fuzz/festival_rules.dict "$dir/seeds/$name"
    elif [ -d "tools/fuzz/seeds/$name" ]; then
        run "$name" tools/fuzz/profile.dict "tools/fuzz/seeds/$name"
    else
        echo "fuzz32: $name has no seeds" >&2
        status=1
    fi
    ran=$((ran + 1))
done
[ "$ran" -gt 0 ] || { echo "fuzz32: no fuzz target was built" >&2; exit 1; }
exit $status
