# What the end-to-end scripts in scripts/tests.d share: a Wine prefix of their
# own in the virtual display, the driver, a scratch folder, the pass/fail
# count and the clean-up at exit. Sourced from the repository root:
#
#   . scripts/e2e-lib.sh
#   e2e_begin wine-e2e            # prefix .cache/wine-e2e
#   check "what a user sees" command args...
#   e2e_summary "program e2e"     # the script's last line
#
# A script that starts more background processes adds their ids to e2e_pids
# (or defines e2e_on_exit) so that the clean-up stops them too.

root=$(pwd)
build="$root/build/win64"
driver="$build/e2e/solvane-e2e.exe"
artifacts="$build/artifacts/e2e"
passed=0 failed=0 skipped=0
app_pid=""
e2e_pids=()
work=""

e2e_begin() {  # prefix folder name under .cache/
    export WINEPREFIX="$root/.cache/$1"
    . "$root/scripts/wine-env.sh"
    ensure_display || exit 1
    ensure_wine_prefix
    work=$(mktemp -d)
    mkdir -p "$artifacts"
    trap e2e_cleanup EXIT
}

e2e_cleanup() {
    if declare -F e2e_on_exit >/dev/null; then e2e_on_exit; fi
    local pid
    for pid in "$app_pid" "${e2e_pids[@]}"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null
    done
    "${WINE%/*}/wineserver" -k 2>/dev/null || true
    [ -n "$work" ] && rm -rf "$work"
    stop_display
}

# The driver's output without Windows line ends; its Wine chatter is dropped.
drive() { "$WINE" "$driver" "$@" 2>/dev/null | tr -d '\r'; }

check() {  # name, then a command that must succeed (shown when it fails)
    local name=$1; shift
    if "$@" >/dev/null; then
        echo "ok      $name"; passed=$((passed + 1))
    else
        echo "FAILED  $name"; failed=$((failed + 1))
        printf '        %s\n' "$*" | head -c 1500
    fi
}

skip() { echo "skipped $1 ($2)"; skipped=$((skipped + 1)); }

# Ends the program started as $app_pid as a user does, through the tray
# menu's 退出. A script that needs more at the end defines its own after this.
stop_app() {
    drive tray-menu menu-pick 退出 wait-gone 20000 >/dev/null
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
