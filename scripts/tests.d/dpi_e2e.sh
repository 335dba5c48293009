#!/usr/bin/env bash
# The month window on a screen of 150 % (144 DPI, Wine's LogPixels) against
# the same at 100 %: the real Solvane.exe under 64-bit Wine, in a prefix of its
# own whose DPI the script sets. Wine runs the program system-DPI aware (it
# refuses per-monitor awareness), so this is the path a 150 % single-monitor
# desk takes; moving between monitors of different DPI is tested natively.
# Screenshots are kept in build/win64/artifacts/e2e/ (dpi-100.png,
# dpi-150.png, dpi-200.png, and the daily notice dpi-notice-100.png and
# dpi-notice-150.png) and are meant to be looked at.
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-dpi-e2e

install="$build/e2e/dpi-install"
today=$(date +%F)

start_app() {
    install_fresh "$install" "Template=Default" "SystemTrayTemplate=RedPage"
    # Today's one festival, for the daily notice after start-up.
    printf 'YL,JR,%s,DPI,,,,1,1,1\n' "$(date +%-m-%-d)" > "$install/Ostrel/holidays.cfg"
    ( cd "$install" && "$WINE" Solvane.exe ) >/dev/null 2>&1 &
    app_pid=$!
    read -r _ L T R B _ <<<"$(drive wait-calendar 60000)"
}

shot() {
    park_pointer
    screenshot "$artifacts/$1.png"
}

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

balloon_over_today() {  # scale in percent, shot name: leaves the balloon's size in BW BH
    local x y
    read -r x y <<<"$(python3 scripts/tests.d/month_cells.py "$install/Ostrel/Templates/Default/config.ini" \
        "$(date +%Y)" "$(date +%-m)" centre "$(date +%-d)")"
    park_pointer
    drive hover $((x * $1 / 100)) $((y * $1 / 100)) balloon 15000 >/dev/null
    screenshot "$work/$2.png"  # the balloon has faded in
    read -r _ bl bt br bb <<<"$(drive balloon-rect)"
    BW=$((br - bl)) BH=$((bb - bt))
    convert "$work/$2.png" -crop "${BW}x${BH}+$bl+$bt" +repage "$artifacts/$2.png"
}

about_half_again() {  # width, height, width, height: the first pair 1.35 to 1.65 times the second
    local a b pairs=("$1 $3" "$2 $4")
    for pair in "${pairs[@]}"; do
        read -r a b <<<"$pair"
        [ "$b" -gt 0 ] && [ $((a * 100 / b)) -ge 135 ] && [ $((a * 100 / b)) -le 165 ] || return 1
    done
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
balloon_over_today 100 dpi-balloon-100
BW1=$BW BH1=$BH
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
balloon_over_today 150 dpi-balloon-150
check "at 150 % the balloon over today is about one and a half times as large (${BW} x ${BH} against ${BW1} x ${BH1})" \
    about_half_again "$BW" "$BH" "$BW1" "$BH1"
notice_at_rest dpi-notice-150
NW2=$((NR - NL)) NH2=$((NB - NT))
check "at 150 % the notice is one and a half times as large (${NW2} x ${NH2} against ${NW1} x ${NH1})" \
    size_near "$NW2" "$NH2" $((NW1 * 3 / 2)) $((NH1 * 3 / 2))
check "it rests 8 pixels from the work area's right edge, on its bottom ($((WR - NR)) $((WB - NB)))" \
    test "$((WR - NR)) $((WB - NB))" = "8 0"
check "its title band reaches down to the message, 42 pixels" orange_at dpi-notice-150 270 41
check "and no further" not orange_at dpi-notice-150 270 43
stop_app

# --- 200 % ---------------------------------------------------------------------------
# The skin's double-size picture is drawn from the same shapes at twice the
# size. The card's left edge halfway down (its shadow, soft edge and rim, with
# no text, on screen wherever the too-tall window is put) shows which picture
# the window is made from: one pixel soft, or the small one's edge enlarged.
card_edge() {  # picture, its scale: the edge's square at 200 % on black
    convert "$1" -background black -flatten -filter Catrom -resize "$((200 / $2))%" \
        -crop 40x40+0+400 +repage "$work/edge-$2.png"
}
set_dpi 192
start_app
W3=$((R - L)) H3=$((B - T))
shot dpi-200
check "at 200 % the window is twice as large (${W3} x ${H3})" test "$W3 x $H3" = "720 x 1000"
convert "$artifacts/dpi-200.png" -crop "40x40+$((L + 0))+$((T + 400))" +repage "$work/edge-shown.png"
card_edge "$install/Ostrel/Templates/Default/backgroud@2x.png" 2
card_edge "$install/Ostrel/Templates/Default/backgroud.png" 1
sharp=$(compare -metric AE -fuzz 4% "$work/edge-shown.png" "$work/edge-2.png" null: 2>&1 | cut -d' ' -f1)
blurred=$(compare -metric AE -fuzz 4% "$work/edge-shown.png" "$work/edge-1.png" null: 2>&1 | cut -d' ' -f1)
check "it is made from the skin's double-size picture ($sharp pixels differ), not the small one enlarged ($blurred)" \
    test "$sharp" -lt 20 -a "$blurred" -gt 80
stop_app
set_dpi 96

e2e_summary "dpi e2e"
