#!/usr/bin/env bash
# Seeds for festival_rules_fuzz in FOLDER: every line of the shipped festival
# file, and a few odd ones. Shared by the libFuzzer run and the 32-bit one.
# Usage: festival-fuzz-seeds.sh FOLDER
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$1
mkdir -p "$out"
n=0
while IFS= read -r line; do
    printf '%s\n' "$line" > "$out/line$n"
    n=$((n + 1))
done < "$root/data/Ostrel/holidays.cfg"
printf 'YL,JNR,5-20,a<!-COMMA-!>b,1980,2015-6-30,,0,1,1\r\n' > "$out/comma"
printf 'NL,SR,offset:-1:1-1,x,,,,1,1,1\n \t\n' > "$out/lower"
