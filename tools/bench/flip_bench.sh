#!/usr/bin/env bash
# The month flip as a user feels it: Solvane.exe under 64-bit Wine as on
# Chinese Windows (zh-CN, code page 936), in a virtual display, its month
# window shown, turned on by wheel notches one month at a time. For every
# case (skin Default and Night, 100 % and 175 %, the shipped data and 1 000 and
# 5 000 reminders) and every build named, it reports the program's own CPU
# time per flip (solvane-e2e's `flips`, from the program's process times) and
# the CPU time of its first month after the start (its --timing line). The
# builds are run case by case, one after the other, so that they share the
# machine's load alike.
#
#   tools/bench/flip_bench.sh [--quick] [--notches N] [--runs R] [--case "SKIN DPI REMINDERS"]... [NAME=DIST ...]
#
# DIST is a folder laid out like build/win64/dist (Solvane.exe with its data);
# without any, build/win64/dist as "this". The driver is build/win64's (or
# $SOLVANE_E2E_BUILD's). --quick runs one case with a few notches, to show
# that the benchmark runs; it prints the same table. Per flip is the median of
# R runs (default 1) of N notches each (default 100), the first month the mean.
# --case runs only the cases named (e.g. --case "Night 96 0"), each as a row.
. "$(dirname "$0")/../../scripts/e2e-lib.sh"

notches=100 runs=1 quick=0
builds=() cases=()
while [ $# -gt 0 ]; do
    case $1 in
        --quick) quick=1 notches=3 ;;
        --notches) notches=$2; shift ;;
        --runs) runs=$2; shift ;;
        --case) cases+=("$2"); shift ;;
        *=*) builds+=("$1") ;;
        *) sed -n '13,14p' "$0" >&2; exit 2 ;;
    esac
    shift
done
[ ${#builds[@]} -gt 0 ] || builds=("this=$build/dist")

e2e_begin wine-flip-bench

if [ ${#cases[@]} -gt 0 ]; then
    :
elif [ "$quick" = 1 ]; then
    cases=("Default 96 0")
else
    for dpi in 96 168; do
        for memos in 0 1000 5000; do
            for skin in Default Night; do cases+=("$skin $dpi $memos"); done
        done
    done
fi

# One installation of a build, started twice: prints "FIRST_START NEXT_START
# PER_FLIP", the CPU time in ms of the first month of its first start (a new
# installation, nothing kept), of its next start (which lays the pictures the
# first one kept, as every start but the first does) and per flip.
run_once() {  # dist folder, skin, dpi, reminders
    local dist=$1 skin=$2 dpi=$3 memos=$4 install="$work/install" cold first flips
    rm -rf "$install"
    cp -r "$dist" "$install"
    # No notice of the day and no balloon in the middle of the flips.
    printf '%s\r\n' "[Ostrel]" "Template=$skin" "SystemTrayTemplate=RedPage" "ShowNotifyWindowOnScreen=0" \
        "FollowSystemDarkMode=0" >"$install/Solvane.ini"
    if [ "$memos" -gt 0 ]; then
        python3 "$root/tools/bench/write_reminders.py" "$install/Reminders/reminders.cfg" "$memos"
    fi
    ( cd "$install" && exec "$WINE" Solvane.exe --timing ) >/dev/null 2>"$work/stderr" &
    app_pid=$!
    if ! drive wait-calendar 120000 >/dev/null; then
        echo "- - -"
        return
    fi
    cold=$(sed -n 's/.*of which CPU \([0-9.]*\) ms.*/\1/p' "$work/stderr" | tr -d '\r')
    drive idle 30000 >/dev/null
    stop_app >/dev/null
    ( cd "$install" && exec "$WINE" Solvane.exe --timing ) >/dev/null 2>"$work/stderr" &
    app_pid=$!
    if ! drive wait-calendar 120000 >/dev/null; then
        echo "${cold:--} - -"
        return
    fi
    first=$(sed -n 's/.*of which CPU \([0-9.]*\) ms.*/\1/p' "$work/stderr" | tr -d '\r')
    # Over the day grid (a click first: Wine sends the wheel to the window
    # with the keyboard), where the grid is at this scale.
    local x=$((180 * dpi / 96)) y=$((250 * dpi / 96))
    drive left-click "$x" "$y" idle 30000 >/dev/null
    local before after
    before=$(cpu_ticks "$app_pid")
    if drive flips "$notches" "$x" "$y" | grep -q '^flips '; then
        after=$(cpu_ticks "$app_pid")
        flips=$(awk -v t="$((after - before))" -v hz="$(getconf CLK_TCK)" -v n="$notches" \
            'BEGIN { printf "%.1f", t * 1000 / hz / n }')
    fi
    stop_app >/dev/null
    echo "${cold:--} ${first:--} ${flips:--}"
}

# The CPU time a process has used, user and system, in clock ticks. Wine
# gives no process times of another process, so they are read where Linux
# keeps them; the program is the process its start command became.
cpu_ticks() {  # process id
    local stat
    read -r stat <"/proc/$1/stat"
    set -- ${stat##*) }
    echo $((${12} + ${13}))
}

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else print v[int((NR + 1) / 2)] }'; }
# The first month's CPU time is counted by the program in clock ticks of
# 10 ms; the mean of several runs comes closer than any one of them.
mean() { awk '{ s += $1 } END { if (NR == 0) print "-"; else printf "%.1f\n", s / NR }'; }

header="| skin | scale | reminders |"
rule="|---|---|---|"
for b in "${builds[@]}"; do
    header+=" ${b%%=*}: first month, first start | ${b%%=*}: first month, next start | ${b%%=*}: per flip |"
    rule+="---|---|---|"
done
echo "CPU time in ms: the first month of a new installation's first start and of its next start (means of $runs run(s)), per flip over $notches notches (median)"
echo "$header"
echo "$rule"
shown_dpi=""
status=0
for c in "${cases[@]}"; do
    read -r skin dpi memos <<<"$c"
    if [ "$dpi" != "$shown_dpi" ]; then
        set_dpi "$dpi"
        shown_dpi=$dpi
    fi
    row="| $skin | $((dpi * 100 / 96)) % | $memos |"
    declare -A colds=() firsts=() perflips=()
    for ((r = 0; r < runs; r++)); do
        for b in "${builds[@]}"; do
            read -r cold first flip <<<"$(run_once "${b#*=}" "$skin" "$dpi" "$memos")"
            colds[$b]+="$cold"$'\n'
            firsts[$b]+="$first"$'\n'
            perflips[$b]+="$flip"$'\n'
            [ "$flip" = - ] && status=1
        done
    done
    for b in "${builds[@]}"; do
        row+=" $(grep -v '^-\?$' <<<"${colds[$b]}" | mean) | $(grep -v '^-\?$' <<<"${firsts[$b]}" | mean) |"
        row+=" $(grep -v '^-\?$' <<<"${perflips[$b]}" | median) |"
    done
    unset colds firsts perflips
    echo "$row"
done
exit $status
