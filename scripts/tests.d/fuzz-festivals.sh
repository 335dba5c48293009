#!/usr/bin/env bash
# A bounded libFuzzer run over the festival file parser and the rule-code
# readers (clang with AddressSanitizer and UBSan). SOLVANE_FUZZ_SECONDS sets
# the time budget (default 30 s).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
out=build/fuzz/festivals
mkdir -p "$out/corpus"

# Built with the other fuzz targets (tools/fuzz).
scripts/fuzz-build.sh
scripts/festival-fuzz-seeds.sh "$out/seeds"

build/fuzz/festival_rules_fuzz -max_total_time="${SOLVANE_FUZZ_SECONDS:-30}" -rss_limit_mb=2048 \
    -dict=festivals/fuzz/festival_rules.dict -print_final_stats=1 "$out/corpus" "$out/seeds" \
    2> "$out/last-run.log" || { tail -n 60 "$out/last-run.log"; exit 1; }
tail -n 3 "$out/last-run.log"
