#!/usr/bin/env bash
# Start-up benchmark under Wine as on Chinese Windows (zh-CN, code page 936):
# how long Solvane.exe takes from its start until its month window is on the
# screen, and how much memory it then holds while idle, each beside a trivial
# Windows program (build/win64/bench/trivial-window.exe: a window and nothing
# else, built by the same toolchain) started in the same run, so that the
# figures compare on a machine whose load changes.
#
# Every start is timed by tools/bench/first_window.py from the command until
# the X server maps the process's first window (the month window is layered:
# it is mapped with its first picture), then the resident set (VmRSS) and CPU
# time are read after IDLE seconds. The programs are started in turn, RUNS
# rounds, after one start of each that is not counted (the first run of an
# installation puts its first-run files and keeps its month window's drawing,
# Ostrel/drawing.cache, and the files come into the page cache): the starts
# counted are those a user meets every day after the first. A trivial program stays open meanwhile in its own process, as a
# desktop has programs running, so that Wine's own processes stay up between
# the starts.
#
# Usage: startup_bench.sh [--quick] [--runs N] [--idle SECONDS] [FOLDER ...]
#   FOLDER   installation folders laid out like build/win64/dist (default:
#            that one), e.g. the dist/ of a build before a change; each is
#            copied once, with its shipped settings.
#   --quick  one round, one second idle: that the benchmark runs (the test
#            command's scripts/tests.d/startup_bench.sh).
# Prints one line per start, then per program the median start-to-visible
# time and idle RSS, and their ratios to the trivial program's.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
runs=7 idle=5
folders=()
while [ $# -gt 0 ]; do
    case "$1" in
        --quick) runs=1 idle=1 ;;
        --runs) runs=$2; shift ;;
        --idle) idle=$2; shift ;;
        -*) echo "startup_bench: unknown option $1" >&2; exit 2 ;;
        *) folders+=("$(cd "$1" && pwd)") ;;
    esac
    shift
done
[ ${#folders[@]} -eq 0 ] && folders=("$root/build/win64/dist")
trivial="$root/build/win64/bench/trivial-window.exe"
for file in "$trivial" "${folders[@]/%//Solvane.exe}"; do
    [ -f "$file" ] || { echo "startup_bench: $file is missing (scripts/build.sh win64)" >&2; exit 1; }
done

export WINEPREFIX="$root/.cache/wine-bench"
. scripts/wine-env.sh
work=$(mktemp -d)
keeper=""
finish() {
    [ -n "$keeper" ] && kill "$keeper" 2>/dev/null
    "$WINESERVER" -k 2>/dev/null || true
    stop_display
    rm -rf "$work"
}
trap finish EXIT
start_display
fresh_wine_prefix
xdotool mousemove 1279 400  # off the month window: no balloon

names=(trivial)
commands=("cd $(printf %q "$(dirname "$trivial")") && exec \"\$WINE\" trivial-window.exe")
i=0
for folder in "${folders[@]}"; do
    i=$((i + 1))
    install="$work/install-$i"
    cp -r "$folder" "$install"
    # What a new installation holds, whatever a run left in the folder.
    rm -rf "$install/Reminders/"* "$install/Ostrel/offdays.cfg"
    cp "$root/data/Solvane.ini" "$install/Solvane.ini"
    cp "$root/data/Ostrel/holidays.cfg" "$install/Ostrel/holidays.cfg"
    names+=("$(basename "$(dirname "$folder")")/$(basename "$folder")#$i")
    commands+=("cd $(printf %q "$install") && exec \"\$WINE\" Solvane.exe")
done

( cd "$(dirname "$trivial")" && exec "$WINE" trivial-window.exe ) >/dev/null 2>&1 &
keeper=$!
sleep 2

start() {  # index, idle seconds: one line "visible MS rss KB cpu MS"
    python3 tools/bench/first_window.py --idle "$2" -- bash -c "${commands[$1]}"
}

for n in "${!commands[@]}"; do start "$n" 1 >/dev/null || true; done  # not counted
declare -A visible cpu rss
for round in $(seq "$runs"); do
    for n in "${!commands[@]}"; do
        # A start that shows no window is told and made once more (Wine on a
        # loaded machine now and then loses one); a second such start ends the run.
        line=$(start "$n" "$idle") || {
            echo "startup_bench: ${names[$n]}: $line, started again" >&2
            line=$(start "$n" "$idle") || { echo "startup_bench: ${names[$n]}: $line" >&2; exit 1; }
        }
        echo "round $round ${names[$n]}: $line"
        read -r _ v _ c _ r _ _ <<<"$line"
        visible[$n]+="$v "
        cpu[$n]+="$c "
        rss[$n]+="$r "
    done
done

median() { tr ' ' '\n' | grep . | sort -n | awk '{ a[NR] = $1 } END { print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2 }'; }
echo "== median of $runs: start to visible window, the process's CPU time until then, idle RSS after $idle s"
echo "   (in brackets: ratio to the trivial program's median)"
base_visible=$(median <<<"${visible[0]}")
base_cpu=$(median <<<"${cpu[0]}")
base_rss=$(median <<<"${rss[0]}")
for n in "${!commands[@]}"; do
    awk -v name="${names[$n]}" -v v="$(median <<<"${visible[$n]}")" -v c="$(median <<<"${cpu[$n]}")" \
        -v r="$(median <<<"${rss[$n]}")" -v bv="$base_visible" -v bc="$base_cpu" -v br="$base_rss" \
        'BEGIN { printf "%-24s visible %5.0f ms (%.2fx)  CPU %4.0f ms (%.2fx)  RSS %5.1f MB (%.2fx)\n",
                 name, v, v / bv, c, c / (bc ? bc : 1), r / 1024, r / br }'
done
