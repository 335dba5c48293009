#!/usr/bin/env bash
# solvane-cli festivals ticks a rule as the festival manager ticks it and as
# the month counts it: every rule but one whose enabled field is 0, an empty
# field (a file written by hand or by an older version) too.
. "$(dirname "$0")/../cli-lib.sh"
export LC_ALL=C.UTF-8
status=0

# name, enabled field, the box expected
cases=(
    "one     1   [x]"
    "empty   -   [x]"
    "zero    0   [ ]"
    "yes     yes [x]"
)
: >"$work/holidays.cfg"
for row in "${cases[@]}"; do
    read -r name enabled _ <<<"$row"
    [ "$enabled" = - ] && enabled=
    printf 'YL,JR,10-1,%s,,,,%s,1,1\r\n' "$name" "$enabled" >>"$work/holidays.cfg"
done
"$cli" festivals --festivals "$work/holidays.cfg" >"$work/out"
for row in "${cases[@]}"; do
    read -r name _ box <<<"$row"
    if ! grep -qE "^\\[${box:1:1}\\] .* ${name}( |$)" "$work/out"; then
        echo "the rule \"$name\" is not listed as $box:"
        cat "$work/out"
        status=1
    fi
done

[ $status -eq 0 ] && echo "solvane-cli festivals ticks every rule the manager ticks"
exit $status
