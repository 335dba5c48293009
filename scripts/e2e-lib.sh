# What the end-to-end scripts in scripts/tests.d share: a Wine prefix and a
# virtual display of their own (so that scripts can run side by side), the
# driver, a scratch folder, the pass/fail count and the clean-up at exit.
# Sourced first thing, it moves to the repository root:
#
#   . "$(dirname "$0")/../e2e-lib.sh"
#   e2e_begin wine-e2e            # prefix .cache/wine-e2e, fresh from the template
#   install_fresh "$build/e2e/x-install" "Template=Default"
#   check "what a user sees" command args...
#   e2e_summary "program e2e"     # the script's last line
#
# A script that starts more background processes adds their ids to e2e_pids
# (or defines e2e_on_exit) so that the clean-up stops them too.

set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
# The 32-bit guest runs these with the i686 build and its own artifacts folder.
build=${SOLVANE_E2E_BUILD:-$root/build/win64}
driver="$build/e2e/solvane-e2e.exe"
cli="$root/build/native/tools/cli/solvane-cli"  # the command-line tool the checks compare with
artifacts=${SOLVANE_E2E_ARTIFACTS:-$build/artifacts/e2e}
passed=0 failed=0 skipped=0
app_pid=""
e2e_pids=()
work=""

e2e_begin() {  # prefix folder name under .cache/
    export WINEPREFIX="$root/.cache/$1"
    . "$root/scripts/wine-env.sh"
    work=$(mktemp -d)
    trap e2e_cleanup EXIT
    start_display || exit 1
    fresh_wine_prefix || exit 1
    mkdir -p "$artifacts"
    # A new display has the pointer in its middle, where the month window
    # opens: parked at the right edge it raises no balloon there.
    xdotool mousemove 1279 400
}

e2e_cleanup() {
    if declare -F e2e_on_exit >/dev/null; then e2e_on_exit; fi
    local pid
    for pid in "$app_pid" "${e2e_pids[@]}"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null
    done
    "$WINESERVER" -k 2>/dev/null || true
    [ -n "$work" ] && rm -rf "$work"
    stop_display
}

# A new installation laid out like build/win64/dist in FOLDER, with a
# Solvane.ini of the given lines under [Ostrel].
install_fresh() {  # folder, then settings lines
    local folder=$1
    shift
    rm -rf "$folder"
    cp -r "$build/dist" "$folder"
    printf '%s\r\n' "[Ostrel]" "$@" >"$folder/Solvane.ini"
}

# The test build of the program (build/win64/e2e/Solvane-seams.exe) freshly
# installed in FOLDER with the Default template and no update download (nothing
# answers on port 9), started with its clock at DAY 09:00; its month window's
# edges in L T R B.
start_test_build() {  # folder, day YYYY-MM-DD
    install_fresh "$1" "Template=Default" "UpdateVersionUrl=http://127.0.0.1:9/version.txt"
    cp "$build/e2e/Solvane-seams.exe" "$1/Solvane.exe"
    ( cd "$1" && SOLVANE_TEST_CLOCK="$2 09:00:00" "$WINE" Solvane.exe ) >/dev/null 2>&1 &
    app_pid=$!
    read -r _ L T R B _ <<<"$(drive wait-calendar 60000)"
}

# For the scripts that look at the window at several scales, the current one
# in $scale (100 for 100 %): a length of the Default template at that scale.
scaled() { echo $(($1 * scale / 100)); }

shown_month_is() { grep -qxF "month $1" <<<"$(drive shown-month)"; }

# YEAR MONTH through the year and month menus of the Default template at
# $scale %, as a user goes there: the arrow left of the year lists the years
# before the shown one, the arrow right of it those after.
show_month_by_menus() {  # year, month
    local shown arrow=""
    shown=$(drive shown-month | sed -n 's/^month \([0-9]*\)年.*/\1/p')
    [ "$1" -lt "${shown:-0}" ] && arrow=29
    [ "$1" -gt "${shown:-0}" ] && arrow=131
    [ -n "$arrow" ] && drive left-click "$(scaled "$arrow")" "$(scaled 40)" list-menu menu-pick "$1年" >/dev/null
    drive left-click "$(scaled 327)" "$(scaled 40)" list-menu menu-pick "$2月" >/dev/null
    check "at $scale % the window goes to $1年$2月" eventually shown_month_is "$1年$2月"
}

# A web server for FOLDER on 127.0.0.1:PORT, its requests logged to
# $work/server.log, answering when this returns; stopped at exit.
serve_folder() {  # folder, port
    python3 -m http.server "$2" --bind 127.0.0.1 --directory "$1" >/dev/null 2>>"$work/server.log" &
    server_pid=$!
    e2e_pids+=("$server_pid")
    eventually --within 10 python3 -c "import socket; socket.create_connection(('127.0.0.1', $2), 1)"
}

# The screen's DPI for the next program, as Wine's LogPixels (96 is 100 %,
# 144 is 150 %), in this script's own prefix; the Wine server is restarted so
# that it takes effect.
set_dpi() {  # DPI
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    "$WINESERVER" -k 2>/dev/null
    "$WINESERVER" -w 2>/dev/null || true
}

# The driver's output without Windows line ends; its Wine chatter is dropped,
# its complaints ("error …") are also told on stderr, for the log of a check
# that fails on them.
drive() {
    "$WINE" "$driver" "$@" 2>/dev/null | tr -d '\r' |
        awk '/^error / { print "        driver: " $0 > "/dev/stderr" } { print }'
}

check() {  # name, then a command that must succeed (shown when it fails)
    local name=$1; shift
    if "$@" >/dev/null; then
        echo "ok      $name"; passed=$((passed + 1))
    else
        echo "FAILED  $name"; failed=$((failed + 1))
        printf '        %s\n' "$*" | head -c 1500
        # What the screen showed then, for whoever reads the failure.
        local shot="$artifacts/failed-$(basename "$0" .sh)-$failed.png"
        import -window root -strip "$shot" 2>/dev/null && echo "        screen: $shot"
    fi
}

# Whether two screenshots in $artifacts (names without .png) differ in more
# than MIN (default 20) pixels inside the box "l,t,r,b" of the month window
# whose top-left corner is at $L, $T.
differs() {  # shot, shot, box, [MIN]
    local l t r b changed
    IFS=, read -r l t r b <<<"$3"
    local geometry="$((r - l))x$((b - t))+$((L + l))+$((T + t))"
    convert "$artifacts/$1.png" -crop "$geometry" +repage "$work/a.png"
    convert "$artifacts/$2.png" -crop "$geometry" +repage "$work/b.png"
    changed=$(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1)
    [ "${changed%% *}" -gt "${4:-20}" ] 2>/dev/null
}

# A Linux path as the Windows program names it: Wine's Z: drive is the root.
windows_path() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }

# Whether the driver's last line ends in WORD, as a check command: a failure
# shows the whole line, an error from the driver included.
ends_with() { [[ $1 == *" $2" ]]; }  # text, word

skip() { echo "skipped $1 ($2)"; skipped=$((skipped + 1)); }

# Waiting on what a check needs, never on a fixed time: a command polled until
# it succeeds, within a generous bound for a busy machine.
eventually() {  # [--within SECONDS (default 20)] command args...
    local within=20
    if [ "$1" = --within ]; then within=$2; shift 2; fi
    local until=$((SECONDS + within))
    while ! "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -ge "$until" ] && return 1
        sleep 0.2
    done
}

# The pointer off the program's windows (the notification window rests above
# this corner, the month window opens in the middle), and no balloon left.
park_pointer() {
    xdotool mousemove 1270 790
    drive balloon-gone 10000 >/dev/null
}

# A screenshot of the settled screen: taken again until two in a row are the
# same, so that what the program drew has reached the screen. Without their
# time stamps (-strip) the same screen gives the same bytes.
screenshot() {  # file
    local until=$((SECONDS + 10)) sum last=""
    while :; do
        import -window root -strip "$1" 2>/dev/null
        sum=$(md5sum <"$1")
        [ "$sum" = "$last" ] && return 0
        [ "$SECONDS" -ge "$until" ] && return 1
        last=$sum
    done
}

# Ends the program started as $app_pid as a user does, through the tray
# menu's 退出. A script that needs more at the end defines its own after this.
stop_app() {  # 退出 from the tray menu; a program still running 30 s later is a failure, and is stopped
    drive tray-menu menu-pick 退出 wait-gone 20000 >/dev/null
    if ! eventually --within 30 eval '! kill -0 "$app_pid"'; then
        echo "FAILED  退出 did not end the program (a dialog or message box left open?); it was stopped"
        failed=$((failed + 1))
        screenshot "$artifacts/failed-$(basename "$0" .sh)-exit.png" 2>/dev/null
        kill "$app_pid" 2>/dev/null
        "$WINESERVER" -k 2>/dev/null
        wait "$app_pid" 2>/dev/null
        app_pid=""
        return 1
    fi
    wait "$app_pid" 2>/dev/null
    app_pid=""
}

e2e_summary() {  # the script's name; fails when any check failed
    if [ "$skipped" -gt 0 ]; then
        echo "$1: $passed passed, $failed failed, $skipped skipped"
    else
        echo "$1: $passed passed, $failed failed"
    fi
    [ "$failed" -eq 0 ]
}
