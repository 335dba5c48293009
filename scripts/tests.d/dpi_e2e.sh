#!/usr/bin/env bash
# The month window on a screen of 150 % (144 DPI, Wine's LogPixels) against
# the same at 100 %: the real Solvane.exe under 64-bit Wine, in a prefix of its
# own whose DPI the script sets. Wine runs the program system-DPI aware (it
# refuses per-monitor awareness), so this is the path a 150 % single-monitor
# desk takes; moving between monitors of different DPI is tested natively.
# Screenshots at both scales are kept in build/win64/artifacts/e2e/
# (dpi-100.png, dpi-150.png, and the daily notice dpi-notice-100.png and
# dpi-notice-150.png) and are meant to be looked at.
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
    # Today's one festival, for the daily notice after start-up.
    printf 'YL,JR,%s,DPI,,,,1,1,1\n' "$(date +%-m-%-d)" > "$install/Ostrel/holidays.cfg"
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

notice_at_rest() {  # leaves the resting notice's rectangle in NL NT NR NB, the work area's in WL WT WR WB
    local lines
    lines=$(drive notice 40000)
    read -r _ NL NT NR NB <<<"$(echo "$lines" | head -1 | cut -d'|' -f1)"
    read -r _ WL WT WR WB <<<"$(echo "$lines" | sed -n 2p)"
    shot "$1"
    convert "$artifacts/$1.png" -crop "$((NR - NL))x$((NB - NT))+$NL+$NT" +repage "$artifacts/$1.png"
}

orange_at() {  # notice shot, x, y: the title band's orange
    convert "$artifacts/$1.png" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info: |
        awk '{ exit !($1 > 230 && $2 > 50 && $2 < 120 && $3 < 40) }'
}

not() { ! "$@"; }

size_near() {  # width, height, expected width, height: each within a pixel (half pixels round)
    local dw=$(($1 - $3)) dh=$(($2 - $4))
    [ "${dw#-}" -le 1 ] && [ "${dh#-}" -le 1 ]
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
notice_at_rest dpi-notice-100
NW1=$((NR - NL)) NH1=$((NB - NT))
check "at 100 % the notice rests 5 pixels from the work area's right edge, on its bottom" \
    test "$((WR - NR)) $((WB - NB))" = "5 0"
check "its title band reaches down to the message, 28 pixels" orange_at dpi-notice-100 180 27
check "and no further" not orange_at dpi-notice-100 180 29
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
notice_at_rest dpi-notice-150
NW2=$((NR - NL)) NH2=$((NB - NT))
check "at 150 % the notice is one and a half times as large (${NW2} x ${NH2} against ${NW1} x ${NH1})" \
    size_near "$NW2" "$NH2" $((NW1 * 3 / 2)) $((NH1 * 3 / 2))
check "it rests 8 pixels from the work area's right edge, on its bottom ($((WR - NR)) $((WB - NB)))" \
    test "$((WR - NR)) $((WB - NB))" = "8 0"
check "its title band reaches down to the message, 42 pixels" orange_at dpi-notice-150 270 41
check "and no further" not orange_at dpi-notice-150 270 43
stop_app
set_dpi 96

e2e_summary "dpi e2e"
