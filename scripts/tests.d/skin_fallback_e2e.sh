#!/usr/bin/env bash
# Skins damaged in ways a header check cannot see: a background picture cut
# short (a download that stopped: its PNG header still sound) and a
# config.ini whose BODY rectangle is reversed. Either way the program says
# the skin is damaged, in the message it has for damaged skins, and shows
# the shipped one instead of a window that is there and shows nothing.
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-skin-fallback-e2e

install="$build/e2e/skin-fallback-install"
night="$install/Ostrel/Templates/Night"

start_app() {
    ( cd "$install" && "$WINE" Solvane.exe ) >/dev/null 2>&1 &
    app_pid=$!
    shown_at=$(drive wait-calendar 30000)
}
pixel() {  # "R G B" of the screenshot at x, y
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}
shows_shipped_skin() {  # screenshot name: the month's header is the shipped skin's red
    local L T
    park_pointer
    screenshot "$artifacts/$1.png"
    read -r _ L T _ <<<"$shown_at"
    header=$(pixel "$artifacts/$1.png" $((L + 160)) $((T + 14)))
    awk -v c="$header" 'BEGIN { split(c, p, " "); exit !(p[1] > 150 && p[2] < 110 && p[3] < 100) }'
}

# --- a picture cut after 200 bytes ---------------------------------------------------------
install_fresh "$install" "Template=Night" "SystemTrayTemplate=RedPage"
head -c 200 "$build/dist/Ostrel/Templates/Night/backgroud.png" >"$night/backgroud.png"
start_app
box=$(drive box 20000 ok | grep '^box')
check "a skin whose picture is cut short is told about as damaged ($box)" \
    eval 'echo "$box" | grep -q "^box Tavro日历|皮肤「Night」已损坏：它的背景图片 backgroud.png 不是程序能使用的 PNG 图片，或者不完整。"'
check "which says the shipped skin is shown and another can be chosen in 设置" \
    eval 'echo "$box" | grep -q "改用默认皮肤.*「设置」中选择其他皮肤"'
check "the window has the shipped skin's size and is visible ($shown_at)" \
    test "$(drive calendar | awk '{ print ($4 - $2) "x" ($5 - $3), $6 }')" = "360x500 visible"
check "and shows the shipped skin's red header" shows_shipped_skin cut-picture
check "a rebuild (转到今日) does not ask again" drive tray-menu menu-pick 转到今日 no-box 2000
check "the user's choice of skin stays in Solvane.ini" grep -q "^Template=Night" "$install/Solvane.ini"
stop_app

# --- a reversed BODY -------------------------------------------------------------------
install_fresh "$install" "Template=Night" "SystemTrayTemplate=RedPage"
sed -i 's/^BODY=18,80,342,380/BODY=342,380,18,80/' "$night/config.ini"
grep -q '^BODY=342,380,18,80' "$night/config.ini" || echo "FAILED  the Night skin's BODY line was not found"
start_app
box=$(drive box 20000 ok | grep '^box')
check "a skin whose BODY is reversed is told about as damaged ($box)" \
    eval 'echo "$box" | grep -q "^box Tavro日历|皮肤「Night」已损坏：它的 config.ini 中日历区域（BODY 等）的位置和大小放不下一个月的日子。"'
check "and the shipped skin is shown instead" shows_shipped_skin reversed-body
check "the month menu still opens" eval 'drive left-click 327 40 list-menu menu-close | grep -q 月'
stop_app

e2e_summary "skin fallback e2e"
