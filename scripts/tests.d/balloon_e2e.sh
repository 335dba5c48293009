#!/usr/bin/env bash
# End-to-end tests of where the balloon over a day shows: always wholly on the
# work area, over a day low in the month window and over a day with a memo of
# 9 998 bytes, which is cut with "…" and a note of what is left out rather
# than run off the screen. Solvane.exe from an installation laid out like
# build/win64/dist, under 64-bit Wine in the 1280 x 800 virtual display,
# driven by solvane-e2e.exe.
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-balloon-e2e

install="$build/e2e/balloon-install"
config="$install/Ostrel/Templates/Default/config.ini"
install_fresh "$install" "Template=Default"
rm -f "$install/Reminders/"*

start_app() {
    ( cd "$install" && "$WINE" Solvane.exe ) >/dev/null 2>&1 &
    app_pid=$!
    read -r _ L T _ <<<"$(drive wait-calendar 60000)"
}

shown() { drive shown-month | sed -n 's/^month //p'; }
cells() { python3 scripts/tests.d/month_cells.py "$config" 2026 12 "$@"; }
read -r _ WL WT WR WB <<<"$(drive work-area)"
# Whether the shown balloon lies wholly on the work area; its place in BALLOON.
on_work_area() {
    local l t r b
    BALLOON=$(drive balloon-rect)
    read -r _ l t r b <<<"$BALLOON"
    [ -n "$b" ] && [ "$l" -ge "$WL" ] && [ "$t" -ge "$WT" ] && [ "$r" -le "$WR" ] && [ "$b" -le "$WB" ]
}
balloon_over() {  # day of December 2026: rests the pointer there until the balloon shows
    local x y
    read -r x y <<<"$(cells centre "$1")"
    park_pointer
    drive hover "$x" "$y" balloon 15000
}

start_app
check "the month window opens in the middle of the screen, at 460,150 ($L,$T)" test "$L,$T" = "460,150"
# The balloon comes up after the first picture, with the common controls: the
# first month has it as every other does.
read -r x y <<<"$(python3 scripts/tests.d/month_cells.py "$config" "$(date +%Y)" "$(date +%-m)" centre 10)"
park_pointer
check "over a day of the month shown at start, before any other, a balloon shows" \
    eval 'drive hover "$x" "$y" balloon 15000 | grep -qx "balloon shown"'
park_pointer
# December 2026, with PageUp/PageDown from this month.
offset=$(( (2026 * 12 + 12) - ($(date +%Y) * 12 + $(date +%-m)) ))
key=pagedown; [ "$offset" -lt 0 ] && key=pageup
steps=(left-click 180 250)
for _ in $(seq 1 "${offset#-}"); do steps+=(press $key); done
drive "${steps[@]}" >/dev/null
december() { [ "$(shown)" = 2026年12月 ]; }
check "the window shows 2026年12月" eventually december

check "over 16 December, low in the window, a balloon shows" eval 'balloon_over 16 | grep -qx "balloon shown"'
check "wholly on the work area ($WL $WT $WR $WB)" eval 'on_work_area || { echo "$BALLOON" >&2; false; }'
screenshot "$artifacts/balloon-low-day.png"
echo "        16 December: $BALLOON"

# --- a memo of 9 998 bytes ------------------------------------------------------------------
park_pointer
long=$(printf '备%.0s' $(seq 4999))
drive right-click $(cells centre 16) list-menu menu-pick 添加阳历备忘... dialog 添加 20000 set-text 1038 "$long" \
    pick 1009 无提醒 click 1 dialog-gone 添加 10000 >/dev/null
check "the long memo is stored" eventually eval '"$cli" memos --memos "$install/Reminders/reminders.cfg" | grep -q 备备备'
check "over 16 December with the memo the balloon is wholly on the work area" \
    eval 'balloon_over 16 >/dev/null && on_work_area || { echo "$BALLOON" >&2; false; }'
echo "        16 December with the memo: $BALLOON"
screenshot "$artifacts/balloon-long-memo.png"
read -r _ _ bt _ bb <<<"$BALLOON"
check "its text is cut to what the screen holds, not to nothing ($((bb - bt)) pixels high)" \
    test "$((bb - bt))" -gt "$(((WB - WT) / 2))"

stop_app
e2e_summary "balloon e2e"
