#!/usr/bin/env bash
# The month window on a screen of 150 % (144 DPI, Wine's LogPixels) against
# the same at 100 %: the real Solvane.exe under 64-bit Wine, in a prefix of its
# own whose DPI the script sets. Wine runs the program system-DPI aware (it
# refuses per-monitor awareness), so this is the path a 150 % single-monitor
# desk takes; moving between monitors of different DPI is tested natively.
# Screenshots at both scales are kept in build/win64/artifacts/e2e/
# (dpi-100.png, dpi-150.png) and are meant to be looked at.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
. scripts/e2e-lib.sh
e2e_begin wine-dpi-e2e

install="$build/e2e/dpi-install"
cli="$root/build/native/tools/cli/solvane-cli"
today=$(date +%F)

set_dpi() {
    "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
    "${WINE%/*}/wineserver" -k 2>/dev/null
    "${WINE%/*}/wineserver" -w 2>/dev/null || true
}

start_app() {
    rm -rf "$install"
    cp -r "$build/dist" "$install"
    printf '%s\r\n' "[Ostrel]" "Template=Default" "SystemTrayTemplate=RedPage" > "$install/Solvane.ini"
    : > "$install/Ostrel/holidays.cfg"
    ( cd "$install" && "$WINE" Solvane.exe ) >/dev/null 2>&1 &
    app_pid=$!
    drive wait-calendar 60000 >/dev/null || return 1
    sleep 2  # the first rebuild follows the first show
    read -r _ L T R B _ <<<"$(drive calendar)"
}

stop_app() {
    drive tray-menu menu-pick 退出 wait-gone 20000 >/dev/null
    wait "$app_pid" 2>/dev/null
    app_pid=""
}

shot() { xdotool mousemove 1270 790 2>/dev/null; sleep 0.7; import -window root "$artifacts/$1.png" 2>/dev/null; }

colour_at() {  # screenshot, window point x, y: "R G B"
    local x=$((L + $2)) y=$((T + $3))
    convert "$artifacts/$1.png" -format "%[fx:int(255*p{$x,$y}.r)] %[fx:int(255*p{$x,$y}.g)] %[fx:int(255*p{$x,$y}.b)]" info:
}

close_to() {  # two "R G B" within 24 per channel
    local a b
    read -r -a a <<<"$1"
    read -r -a b <<<"$2"
    for i in 0 1 2; do
        local d=$((a[i] - b[i]))
        [ "${d#-}" -le 24 ] || return 1
    done
}

red_in() {  # screenshot, box "l,t,r,b" in window pixels: some pixel there is strongly red
    local l t r b
    IFS=, read -r l t r b <<<"$2"
    convert "$artifacts/$1.png" -crop "$((r - l))x$((b - t))+$((L + l))+$((T + t))" txt:- |
        awk -F'[(),]' 'NR > 1 && $3 > 170 && $4 < 120 && $5 < 110 { found = 1 } END { exit !found }'
}

scaled_box() {  # "l,t,r,b" times 1.5, rounded half up
    local l t r b
    IFS=, read -r l t r b <<<"$1"
    echo "$(((l * 3 + 1) / 2)),$(((t * 3 + 1) / 2)),$(((r * 3 + 1) / 2)),$(((b * 3 + 1) / 2))"
}

layout=$("$cli" layout "$(date +%Y-%m)" --template Default --today "$today" --db "$build/../native/dist/Ostrel/Database/china.mdb" 2>/dev/null)
ring_box=$(echo "$layout" | awk '$1 == "ring" { print $2; exit }')

# --- 100 % ---------------------------------------------------------------------------
set_dpi 96
start_app
W1=$((R - L)) H1=$((B - T))
shot dpi-100
header_100=$(colour_at dpi-100 180 8)
grid_100=$(colour_at dpi-100 20 $((H1 - 30)))
check "at 100 % the window has the picture's size (${W1} x ${H1})" test "$W1 x $H1" = "360 x 500"
stop_app

# --- 150 % ---------------------------------------------------------------------------
set_dpi 144
start_app
W2=$((R - L)) H2=$((B - T))
shot dpi-150
check "at 150 % the window is one and a half times as large (${W2} x ${H2})" test "$W2 x $H2" = "540 x 750"
check "the header keeps its colour ($(colour_at dpi-150 270 12) against $header_100)" \
    close_to "$(colour_at dpi-150 270 12)" "$header_100"
check "the day grid keeps its colour" close_to "$(colour_at dpi-150 30 $((H2 - 45)))" "$grid_100"
big_ring=$(scaled_box "$ring_box")
check "today's ring is drawn where today's cell is at the larger size ($big_ring)" red_in dpi-150 "$big_ring"
stop_app
set_dpi 96

e2e_summary "dpi e2e"
