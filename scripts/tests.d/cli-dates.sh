#!/usr/bin/env bash
# solvane-cli takes only dates that exist: a day or month that does not, or
# one outside 1901-2099, is refused with a message naming what is wrong and
# a non-zero exit, and nothing is printed for it. Help goes to standard output
# with exit 0; arguments a command does not take give its own usage line.
. "$(dirname "$0")/../cli-lib.sh"
status=0

# Runs the tool and says what differs from the expected outcome: "refused"
# (exit > 0, nothing on standard output, the line on standard error) or
# "helped" (exit 0, nothing on standard error, the line on standard output).
expect() {  # refused|helped, the line, then the arguments
    local outcome=$1 line=$2 code=0 ok=1
    shift 2
    "$cli" "$@" >"$work/out" 2>"$work/err" || code=$?
    if [ "$outcome" = refused ]; then
        { [ "$code" -ne 0 ] && [ ! -s "$work/out" ] && grep -qxF -- "$line" "$work/err"; } || ok=0
    else
        { [ "$code" -eq 0 ] && [ ! -s "$work/err" ] && grep -qxF -- "$line" "$work/out"; } || ok=0
    fi
    if [ "$ok" = 0 ]; then
        echo "solvane-cli $*: expected to be $outcome with \"$line\"; got exit $code:"
        cat "$work/out" "$work/err"
        status=1
    fi
}
refuses() { expect refused "$@"; }
helps() { expect helped "$@"; }

takes() {  # a line expected on standard output, then the arguments
    local line=$1
    shift
    if ! "$cli" "$@" 2>/dev/null | grep -qF -- "$line"; then
        echo "solvane-cli $*: expected a line with \"$line\""
        status=1
    fi
}

refuses "solvane-cli: 2026-02-30: February 2026 has 28 days" day 2026-02-30
refuses "solvane-cli: 2024-02-30: February 2024 has 29 days" upcoming 2024-02-30
refuses "solvane-cli: 2026-13: there is no month 13" month 2026-13
refuses "solvane-cli: 2026-13-01: there is no month 13" day 2026-13-01
refuses "solvane-cli: 2026-00: there is no month 0" layout 2026-00
refuses "solvane-cli: 2026-4-31: April 2026 has 30 days" layout 2026-04 --today 2026-4-31
refuses "solvane-cli: 2026-02-3x: not a date of the form YYYY-MM-DD" day 2026-02-3x
refuses "solvane-cli: 2100-01-01: the calendar covers 1901-01-01 to 2099-12-31" day 2100-01-01
refuses "solvane-cli: 1900-12: the calendar covers 1901-01 to 2099-12" month 1900-12
refuses "solvane-cli: 1800: the calendar covers 1901 to 2099" terms 1800
refuses "solvane-cli: 20x6: not a year of the form YYYY" terms 20x6
refuses "usage: solvane-cli day YYYY-MM-DD [options]" day
refuses "usage: solvane-cli day YYYY-MM-DD [options]" day 2026-02-28 2026-03-01
refuses "usage: solvane-cli month YYYY-MM [--monday] [options]" month 2026-02 --sunday
refuses "usage: solvane-cli festivals [options]" festivals extra
refuses "solvane-cli: --years 0: a number of years from 1 to 199" export-ics --years 0
refuses "solvane-cli: --years 4294967297: a number of years from 1 to 199" export-ics --years 4294967297
refuses "solvane-cli: --years ten: not a number" export-ics --years ten
refuses "solvane-cli: --db needs a PATH after it" day 2026-02-28 --db

helps "usage: solvane-cli [COMMAND] [options]" --help
helps "  upcoming [YYYY-MM-DD]" -h
helps "usage: solvane-cli terms YYYY [options]" help terms
helps "usage: solvane-cli layout YYYY-MM [--template NAME] [--today YYYY-MM-DD] [--monday] [options]" layout --help

takes "阳历：2024年2月29日" day 2024-02-29
takes "阳历：2025年4月5日" day 2025-4-5
takes "2099年12月" month 2099-12

[ $status -eq 0 ] && echo "solvane-cli refuses dates that do not exist and arguments it does not take, takes the rest and helps"
exit $status
