#!/usr/bin/env bash
# End-to-end tests of the update check of Solvane.exe under 64-bit Wine: the
# version file is served from 127.0.0.1 by a local web server named in
# Solvane.ini, and solvane-e2e.exe reads and answers the announcement box.
# The program's own version is the one of its version resource (1.0.0).
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
export WINEPREFIX="$root/.cache/wine-notices-e2e"
. scripts/wine-env.sh
ensure_display || exit 1
ensure_wine_prefix
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY no_proxy NO_PROXY

build="$root/build/win64"
driver="$build/e2e/solvane-e2e.exe"
install="$build/e2e/notices-install"
work=$(mktemp -d)
site="$work/site"
mkdir -p "$site"
passed=0 failed=0
app_pid="" server_pid=""
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
own_version=$(sed -n 's/^#define SOLVANE_VERSION_TEXT "\(.*\)"/\1/p' resources/resource_ids.h)

cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
    "${WINE%/*}/wineserver" -k 2>/dev/null || true
    rm -rf "$work"
    stop_display
}
trap cleanup EXIT

drive() { "$WINE" "$driver" "$@" 2>/dev/null | tr -d '\r'; }
quietly() { "$@" >/dev/null; }
windows_path() { local p=${1//\//\\}; printf 'Z:%s' "$p"; }
page_url="http://127.0.0.1:$port/update.html"

check() {  # name, then a command that must succeed
    local name=$1; shift
    if "$@"; then
        echo "ok      $name"; passed=$((passed + 1))
    else
        echo "FAILED  $name"; failed=$((failed + 1))
    fi
}

start_server() {
    python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site" >/dev/null 2>>"$work/server.log" &
    server_pid=$!
    for _ in $(seq 50); do
        python3 -c "import socket; socket.create_connection(('127.0.0.1', $port), 1)" 2>/dev/null && return
        sleep 0.1
    done
}

stop_server() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
    server_pid=""
}

requests() { grep -c 'GET /version.txt' "$work/server.log" 2>/dev/null || true; }

publish() { printf '%s' "$1" > "$site/version.txt"; }

fresh_install() {  # the local server's addresses, then any further settings lines
    rm -rf "$install"
    cp -r "$build/dist" "$install"
    printf '%s\r\n' "[Ostrel]" "UpdateVersionUrl=http://127.0.0.1:$port/version.txt" \
        "UpdatePageUrl=$page_url" "$@" > "$install/Solvane.ini"
}

start_app() {
    : > "$work/server.log"
    ( cd "$install" && "$WINE" Solvane.exe ) >/dev/null 2>&1 &
    app_pid=$!
    drive wait-calendar 30000 >/dev/null
}

stop_app() {
    drive tray-menu menu-pick 退出 wait-gone 10000 >/dev/null
    kill "$app_pid" 2>/dev/null
    wait "$app_pid" 2>/dev/null
    app_pid=""
}

leftover_temporary_files() {  # version downloads left in the prefix's temporary folders
    find "$WINEPREFIX/drive_c" -path '*[Tt]emp*' -regextype posix-extended \
        -regex '.*/[0-9A-F]{32}\.txt' 2>/dev/null | wc -l
}

announcement="update-box Tavro日历|发现Tavro日历的新版本！新版本为1.1，当前版本为$own_version。~~请点击【确认】查看升级详情。如果现在不想升级，请点击【取消】。"

# --- a higher published version is announced once -----------------------------------
start_server
publish $'1.1\r\n'
fresh_install
start_app
box=$(drive update-box 20000 cancel)
check "a published 1.1 over the own $own_version is announced in a box captioned with the product name" \
    test "$box" = "$announcement"
check "the version file was fetched once ($(requests) requests)" test "$(requests)" = 1
check "no downloaded version file is left in the temporary folder" test "$(leftover_temporary_files)" = 0
check "after Cancel nothing more is asked" quietly drive no-update-box 3000
stop_app

# --- OK opens the update page through the shell ---------------------------------------
# The "page" is a batch file here, so that its opening leaves a trace.
printf '@echo opened> "%s"\r\n' "$(windows_path "$work/opened.txt")" > "$work/page.bat"
page_url=$(windows_path "$work/page.bat")
fresh_install
page_url="http://127.0.0.1:$port/update.html"
start_app
quietly drive update-box 20000 ok
for _ in $(seq 100); do [ -s "$work/opened.txt" ] && break; sleep 0.1; done
check "OK in the box opens the update page" test -s "$work/opened.txt"
stop_app

# --- the same or a numerically lower version stays silent ---------------------------
publish "$own_version"
fresh_install
start_app
check "the own version published again ($own_version) is not announced" quietly drive no-update-box 6000
check "and is fetched once, without retries" test "$(requests)" = 1
stop_app

publish "1.0.1 minor fixes"  # a dotted version: only its leading number 1.0 counts
fresh_install
start_app
check "1.0.1 is read as the number 1.0 and not announced" quietly drive no-update-box 6000
stop_app

# --- an unreachable server is retried quietly ------------------------------------------
stop_server
publish "1.1"
fresh_install "UpdateRetryPause=3000"
start_app
check "while the server is down no box appears" quietly drive no-update-box 3500
start_server
box=$(drive update-box 20000 cancel)
check "once it is back a later attempt announces the new version" test "$box" = "$announcement"
check "the temporary files of the failed attempts are gone as well" test "$(leftover_temporary_files)" = 0
stop_app

stop_server
fresh_install "UpdateRetryPause=100"
start_app
sleep 8  # ten quick failed attempts
start_server
check "after ten failed attempts the check gives up until the next start" quietly drive no-update-box 4000
check "and asks the server nothing more" test "$(requests)" = 0
stop_app

echo "notices e2e: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
