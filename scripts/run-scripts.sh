#!/usr/bin/env bash
# Runs the scripts of scripts/tests.d (all, those named, or all but those
# named after --without) side by side, SOLVANE_TEST_JOBS at a time (default
# 4): each end-to-end script has a Wine prefix and a display of its own. The
# longest are started first. Each script's output is printed whole when it
# ends, headed by its name and time; a table of the times and summary lines
# follows, and the exit status fails when any script failed. A script still
# running after SOLVANE_SCRIPT_LIMIT seconds (default 1500) is stopped and
# counts as failed, so one hung check cannot use up a CI run's time. When
# SOLVANE_SCRIPT_STATUS names a file, one line per script that ends is
# appended to it at once, so a run cut short still shows how far it came.
# An end-to-end script that fails is run once more, as on two busy cores a
# Wine window now and then does not come within its time (a check that fails
# for a reason fails again): its first output is printed whole, and the
# table says it passed only at its second run.
# Usage: run-scripts.sh [NAME|PATH ...] | --without NAME ...
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# Started first, longest first; the others follow in name order.
longest_first=(release32_e2e notices_e2e legibility_e2e program_e2e midnight_e2e festival_e2e memo_settings_e2e offdays_e2e planning_e2e years_ahead_e2e
    navigation_e2e reading_e2e alerts_e2e almanac_page_e2e
    dpi_e2e package install_folder_e2e)
# Scripts with checks on how soon the program does something (its first
# picture within two seconds of the start) run ahead of the others: the
# other end-to-end scripts at niceness 3, the scripts that run no Windows
# program (fuzzing, checks of the tree) at 10.
timed=(program_e2e)
logs="$root/build/test-logs"
ticks=$(getconf CLK_TCK)
declare -A running=()
declare -A second=()  # the end-to-end scripts run a second time
declare -A running_script=()  # by name
summary=()
failed=0

children_cpu() {  # process id: CPU seconds (user + system) of its children that have ended
    local stat
    read -r stat </proc/"$1"/stat
    set -- ${stat##*) }
    echo $(((${14} + ${15}) / ticks))
}

ordered() {  # the scripts asked for, longest first
    local all=() name script
    if [ $# -gt 0 ] && [ "$1" != --without ]; then
        for name in "$@"; do all+=("scripts/tests.d/$(basename "$name" .sh).sh"); done
    else
        [ $# -gt 0 ] && shift
        for script in scripts/tests.d/*.sh; do
            [[ " $* " == *" $(basename "$script" .sh) "* ]] || all+=("$script")
        done
    fi
    for name in "${longest_first[@]}"; do
        [[ " ${all[*]} " == *" scripts/tests.d/$name.sh "* ]] && echo "scripts/tests.d/$name.sh"
    done
    for script in "${all[@]}"; do
        [[ " ${longest_first[*]} " == *" $(basename "$script" .sh) "* ]] || echo "$script"
    done
}

launch() {  # script
    local name log niceness=10
    name=$(basename "$1" .sh)
    running_script[$name]=$1
    log="$logs/$name.log"
    grep -q 'e2e-lib.sh\|wine-env.sh' "$1" && niceness=3
    [[ " ${timed[*]} " == *" $name "* ]] && niceness=0
    (
        status=0
        begun=$SECONDS
        nice -n "$niceness" timeout --kill-after=30 "$limit" bash "$1" >"$log" 2>&1 </dev/null || status=$?
        [ "$status" -eq 124 ] && echo "stopped: still running after $limit s" >>"$log"
        me=$BASHPID
        echo "$status $((SECONDS - begun)) $(children_cpu "$me")" >"$log.result"
        exit "$status"
    ) &
    running[$!]=$name
}

collect() {  # waits for one script to end and prints its output whole
    local pid="" name status wall cpu last
    wait -n -p pid "${!running[@]}"
    name=${running[$pid]}
    unset "running[$pid]"
    read -r status wall cpu <"$logs/$name.log.result"
    echo "== $name (${wall} s, CPU ${cpu} s)"
    cat "$logs/$name.log"
    last=$(tail -n 1 "$logs/$name.log")
    # (Not one stopped for its time: that would cost as much again.)
    if [ "$status" -ne 0 ] && [ "$status" -ne 124 ] && [ -z "${second[$name]:-}" ] &&
        grep -q 'e2e-lib.sh' "${running_script[$name]}"; then
        echo "== $name failed (exit status $status): run once more"
        second[$name]="failed at its first run: $last"
        mv "$logs/$name.log" "$logs/$name.first.log"
        [ -n "${SOLVANE_SCRIPT_STATUS:-}" ] && echo "== run again: $name ($last)" >>"$SOLVANE_SCRIPT_STATUS"
        launch "${running_script[$name]}"
        return
    fi
    [ -n "${second[$name]:-}" ] && last="$last (second run; ${second[$name]})"
    if [ "$status" -ne 0 ]; then
        echo "== $name FAILED (exit status $status)"
        failed=1
        last="FAILED (exit status $status): $last"
    fi
    summary+=("$(printf '%-22s %5s s %5s s   %s' "$name" "$wall" "$cpu" "$last")")
    [ -n "${SOLVANE_SCRIPT_STATUS:-}" ] && echo "== ended: ${summary[-1]}" >>"$SOLVANE_SCRIPT_STATUS"
}

mkdir -p "$logs"
jobs=${SOLVANE_TEST_JOBS:-4}
limit=${SOLVANE_SCRIPT_LIMIT:-1500}
for script in $(ordered "$@"); do
    while [ ${#running[@]} -ge "$jobs" ]; do collect; done
    launch "$script"
done
while [ ${#running[@]} -gt 0 ]; do collect; done

echo "== scripts/tests.d: wall, CPU (user + system), last line"
printf '%s\n' "${summary[@]}"
exit $failed
