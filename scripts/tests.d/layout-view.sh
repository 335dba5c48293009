#!/usr/bin/env bash
# The command-line layout view over the shipped data: February 2015 with the
# light template, Sunday first, today the 10th.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
out=$("$root/build/native/tools/cli/solvane-cli" layout 2015-02 --template Default --today 2015-02-10)
status=0
expect() {
    if ! grep -qx -- "$1" <<<"$out"; then
        echo "layout view: missing line: $1"
        status=1
    fi
}
expect "text year 40,24,100,60 2015"
expect "text weekday 18,80,64,104 日"
expect "text day 18,104,64,131 1"
expect "text today 110,173,156,200 10"
expect "text festival 202,269,248,310 春节"
expect "text list 26,392,334,410 明天「小年」"  # 气象节, an observance, comes switched off
expect "cell 28 294,311,340,379"
if [ "$(grep -c '^cell ' <<<"$out")" != 28 ] || [ "$(grep -c '^ring ' <<<"$out")" != 1 ]; then
    echo "layout view: expected 28 cells and one ring"
    status=1
fi
[ $status -eq 0 ] && echo "layout view of 2015-02 as expected"
exit $status
