#!/usr/bin/env bash
# Planning ahead end to end: 查吉日, its range in date pickers, lists the 嫁娶
# (and, in everyday words, the 结婚) days of December 2026 as `solvane-cli
# good-days` prints them and marks them on the month until cleared or closed;
# 拼假 opens in December on the coming year, planned from the law's days with
# a note, lists the plans of 2026 as `solvane-cli leave-plan` does and draws
# the chosen one on October 2026, leave days apart from the 休 days; both
# open beside the month left in the middle of the 1280x800 screen, moving it
# aside, and on closing put it back and show again the month they found; Ctrl+G opens 转到日期, which goes to 2027年旧历八月十二 with the day
# ringed. The test build of the program (build/win64/e2e/Solvane-seams.exe)
# runs with its clock at 2026-12-08 so that "today" is fixed. Screenshots in
# build/win64/artifacts/e2e/planning-*.png; with --docs the README's pictures
# docs/planning-*.png are made again from them (each dialog beside the month).
docs=0
[ "${1:-}" = "--docs" ] && docs=1
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-planning-e2e

install="$build/e2e/planning-install"
config="$install/Ostrel/Templates/Default/config.ini"

install_fresh "$install" "Template=Default" "ShowBalloonTip=0"
cp "$build/e2e/Solvane-seams.exe" "$install/Solvane.exe"
( cd "$install" && SOLVANE_TEST_CLOCK="2026-12-08 09:00:00" "$WINE" Solvane.exe ) >/dev/null 2>&1 &
app_pid=$!
# The month where a first start puts it, in the middle of the 1280x800
# screen: no room for a finder on either side.
read -r _ L T R B _ <<<"$(drive wait-calendar 60000)"
home="$L $T $R $B"

contains() { grep -qxF -- "$2" <<<"$1"; }
shown_month_is() { contains "$(drive shown-month)" "month $1"; }
# The dialog's summary line once it reads as expected: a search is done.
summary_has() { [[ "$(drive dialog 查吉日 5000 text-of 1448)" == *"$1"* ]]; }

shot() {  # name: the settled screen, and the month window cut out of it
    park_pointer
    screenshot "$artifacts/planning-$1.png"
    read -r _ L T R B _ <<<"$(drive calendar)"
    convert "$artifacts/planning-$1.png" -crop "$((R - L))x$((B - T))+$L+$T" +repage "$work/$1-window.png"
}

# How many pixels of a day's cell in a shot's month window have the hue of a
# mark: green for a good day, blue for a leave plan (the Default skin is a
# warm white, its numbers and texts red, brown or grey).
hue_pixels() {  # shot, year, month, day, green|blue
    local l t r b
    read -r l t r b <<<"$(python3 scripts/tests.d/month_cells.py "$config" "$2" "$3" cell "$4")"
    convert "$work/$1-window.png" -crop "$((r - l))x$((b - t))+$l+$t" txt:- |
        awk -F'[(),]' -v hue="$5" 'NR > 1 {
            red = $3; green = $4; blue = $5
            if (hue == "green" && green > red + 15 && green > blue + 15) n++
            if (hue == "blue" && blue > red + 15 && blue >= green) n++
        } END { print n + 0 }'
}
# How strongly a cell is tinted blue: the mean of blue over red of its pixels.
# A count of bluish pixels cannot tell the two tints apart, as both cover the
# whole cell and only the texts over them differ.
blue_strength() {  # shot, year, month, day
    local l t r b
    read -r l t r b <<<"$(python3 scripts/tests.d/month_cells.py "$config" "$2" "$3" cell "$4")"
    convert "$work/$1-window.png" -crop "$((r - l))x$((b - t))+$l+$t" txt:- |
        awk -F'[(),]' 'NR > 1 { s += $5 - $3; n++ } END { printf "%d", n ? s / n : 0 }'
}
# The finder's window and the month's apart, both wholly on the screen.
side_by_side() {  # dialog caption
    local l t r b ml mt mr mb
    read -r _ l t r b <<<"$(drive dialog "$1" 5000 dialog-rect | grep '^dialog-rect')"
    read -r _ ml mt mr mb _ <<<"$(drive calendar)"
    echo "$1 $l,$t-$r,$b month $ml,$mt-$mr,$mb"
    [ "$l" -ge 0 ] && [ "$r" -le 1280 ] && [ "$ml" -ge 0 ] && [ "$mr" -le 1280 ] && { [ "$r" -le "$ml" ] || [ "$mr" -le "$l" ]; }
}
month_at_home() { read -r _ l t r b _ <<<"$(drive calendar)"; [ "$l $t $r $b" = "$home" ]; }
marked() { [ "$(hue_pixels "$@")" -ge 300 ]; }
unmarked() { [ "$(hue_pixels "$@")" -lt 40 ]; }

# --- the menus reach the dialogs ---------------------------------------------------
menu=$(drive tray-menu menu-close | cut -f2- | tr '\t\n' ' |')
check "the tray menu offers 转到日期..., 查吉日... and 拼假... ($menu)" \
    eval '[[ "$menu" == *" 转到日期...|"*" 查吉日...|"*" 拼假...|"* ]]'
day_menu=$(drive right-click $(python3 scripts/tests.d/month_cells.py "$config" 2026 12 centre 20) list-menu menu-close |
    cut -f2- | tr '\t\n' ' |')
check "the day menu ends with 查看黄历..., 查吉日..., 拼假... and 转到日期... ($day_menu)" \
    eval '[[ "$day_menu" == *"10006 查看黄历...|menu separator|10007 查吉日...|10008 拼假...|10009 转到日期...|" ]]'
park_pointer
month_menu=$(drive left-click 327 40 list-menu menu-close | cut -f2- | tr '\t\n' ' |')
check "the month menu ends with 转到日期... ($month_menu)" eval '[[ "$month_menu" == *"separator|10009 转到日期...|" ]]'

# --- 查吉日 -----------------------------------------------------------------------
expected=$("$cli" good-days 嫁娶 --from 2026-12-01 --to 2026-12-31 | tail -n +2 | sed 's/  /\t/g')
count=$(wc -l <<<"$expected")
opened=$(drive tray-menu menu-pick 查吉日... dialog 查吉日 30000 read)
placed=$(side_by_side 查吉日) && beside=1 || beside=0
check "查吉日 opens beside the month, the month moved aside where the screen has no room ($placed)" test "$beside" = 1
check "查吉日 takes its range through date pickers, from today for three months" \
    eval 'contains "$opened" "date	1441	2026-12-08" && contains "$opened" "date	1442	2027-03-07"'
drive dialog 查吉日 5000 pick 1440 嫁娶 set-date 1441 2026-12-01 \
    set-date 1442 2026-12-31 dialog-idle click 1447 dialog-idle >/dev/null
eventually summary_has "共${count}天"
rows=$(drive dialog 查吉日 5000 rows 1449 | grep '^row [0-9]' | cut -f2-)
check "the 嫁娶 days of December 2026 are listed as solvane-cli good-days prints them ($count rows)" \
    test "$rows" = "$expected"
summary=$(drive dialog 查吉日 5000 text-of 1448)
check "the dialog says how many days it found ($summary)" eval '[[ "$summary" == *"共${count}天"* ]]'
# In everyday words: 结婚 finds what solvane-cli good-days 结婚 finds.
married=$("$cli" good-days 结婚 --from 2026-12-01 --to 2026-12-31 | tail -n +2 | sed 's/  /\t/g')
drive dialog 查吉日 5000 pick 1440 结婚 dialog-idle click 1447 dialog-idle >/dev/null
eventually summary_has "结婚："
rows=$(drive dialog 查吉日 5000 rows 1449 | grep '^row [0-9]' | cut -f2-)
check "结婚 lists the days solvane-cli good-days 结婚 prints ($(wc -l <<<"$married") rows)" test "$rows" = "$married"
drive dialog 查吉日 5000 pick 1440 嫁娶 dialog-idle click 1447 dialog-idle >/dev/null
eventually summary_has "嫁娶："
shot good-days
first_day=$(head -1 <<<"$expected" | cut -f1 | cut -d- -f3 | sed 's/^0//')
check "the days found are marked on the month (12月${first_day}日, $(hue_pixels good-days 2026 12 "$first_day" green) green pixels)" \
    marked good-days 2026 12 "$first_day" green
check "a day not found is not marked (12月8日)" unmarked good-days 2026 12 8 green
drive dialog 查吉日 5000 select-row 0 >/dev/null
check "selecting a day shows its month" eventually shown_month_is 2026年12月
[ "$docs" = 1 ] && shot good-days-docs
page=$(drive dialog 查吉日 5000 click 1450 dialog 黄历 20000 read)
check "查看黄历... opens the page of the selected day" \
    eval 'grep -q "^control	1430	Static	2026年12月${first_day}日 星期" <<<"$page"'
drive dialog 黄历 5000 press-escape dialog-gone 黄历 10000 >/dev/null
drive dialog 查吉日 5000 click 1451 dialog-idle >/dev/null
shot good-days-cleared
check "清除标记 takes the marks off the month" unmarked good-days-cleared 2026 12 "$first_day" green
drive dialog 查吉日 5000 click 1447 dialog-idle >/dev/null
shot good-days-again
check "a new search marks them again" marked good-days-again 2026 12 "$first_day" green
drive dialog 查吉日 5000 click 2 dialog-gone 查吉日 10000 idle 10000 >/dev/null
shot good-days-closed
check "closing the dialog takes the marks away" unmarked good-days-closed 2026 12 "$first_day" green
check "and the month goes back where it was ($home)" eventually month_at_home

# --- 拼假 -------------------------------------------------------------------------
opened=$(drive tray-menu menu-pick 拼假... dialog 拼假 30000 dialog-idle text-of 1452 text-of 1454)
check "in December 拼假 opens on the coming year ($(grep '^text 1452' <<<"$opened"))" contains "$opened" "text 1452 2027年"
placed=$(side_by_side 拼假) && beside=1 || beside=0
check "拼假 opens beside the month, the month moved aside ($placed)" test "$beside" = 1
check "and says its plans are made from the law's days until the notice is out" \
    eval '[[ "$opened" == *"text 1454 2027年的放假安排尚未发布，以下按法定假日和周末推算，调休以国务院通知为准。"* ]]'
drive dialog 拼假 5000 pick 1452 2026年 dialog-idle pick 1453 5天 dialog-idle >/dev/null
# On a busy machine the list may still be filling when the dialog is found.
listed_plans() { drive dialog 拼假 5000 rows 1455 | grep '^row [0-9]' | cut -f3; }
lists_plans() { [ -n "$(listed_plans)" ]; }
eventually --within 30 lists_plans
listed=$(listed_plans)
printed=$("$cli" leave-plan 2026 | grep '^  请' | sed 's/^  //')
check "the plans of 2026 are listed as solvane-cli leave-plan prints them ($(wc -l <<<"$listed") rows)" \
    test "$listed" = "$printed"
plan="请2天（10月8日至9日）连休9天（10月1日至9日）"
row=$(grep -n -xF -- "$plan" <<<"$listed" | head -1 | cut -d: -f1)
check "2026 has the plan $plan" test -n "$row"
drive dialog 拼假 5000 select-row $((${row:-1} - 1)) >/dev/null
check "choosing it shows October 2026" eventually shown_month_is 2026年10月
shot leave-plan
check "its days of leave are marked (10月8日)" marked leave-plan 2026 10 8 blue
check "and 10月9日" marked leave-plan 2026 10 9 blue
check "the 休 days of the run are marked too (10月3日)" marked leave-plan 2026 10 3 blue
check "the leave days stand out from the 休 days: a deeper blue on 10月8日 ($(blue_strength leave-plan 2026 10 8)) than on 10月3日 ($(blue_strength leave-plan 2026 10 3))" \
    eval '[ "$(blue_strength leave-plan 2026 10 8)" -gt "$(( $(blue_strength leave-plan 2026 10 3) + 10 ))" ]'
check "the make-up Saturday 10月10日 is outside the run" unmarked leave-plan 2026 10 10 blue
drive dialog 拼假 5000 pick 1452 2027年 dialog-idle >/dev/null
eventually --within 30 lists_plans
listed=$(listed_plans)
printed=$("$cli" leave-plan 2027 | grep '^  请' | sed 's/^  //')
check "2027, its notice not out, lists the plans solvane-cli leave-plan 2027 prints from the law's days ($(wc -l <<<"$listed") rows)" \
    test "$listed" = "$printed"
if [ "$docs" = 1 ]; then
    drive dialog 拼假 5000 pick 1452 2026年 dialog-idle select-row $((${row:-1} - 1)) >/dev/null
    shot leave-plan-docs
fi
drive dialog 拼假 5000 click 2 dialog-gone 拼假 10000 >/dev/null
check "closing 拼假 shows again the month shown when it opened (2026年12月), not the plan's" eventually shown_month_is 2026年12月
check "and puts the month back where it was ($home)" eventually month_at_home

# --- 转到日期 ---------------------------------------------------------------------
opened=$(drive calendar-ctrl-key G dialog 转到日期 20000)
check "Ctrl+G in the month window opens 转到日期" contains "$opened" "dialog 转到日期"
every=$(drive dialog 转到日期 5000 click 1461 dialog-idle pick 1462 每年（列出以后十年） dialog-idle \
    pick 1463 八月 dialog-idle pick 1464 十二 dialog-idle read)
coming=$(grep -P '^item\t1466\t' <<<"$every" | cut -f3)
check "a lunar date without a year lists the next ten years ($(wc -l <<<"$coming") rows)" \
    test "$(wc -l <<<"$coming")" = 10
check "the first of them 2027年9月12日, as solvane-cli lunar 08 12 finds it" \
    test "$(head -1 <<<"$coming")" = "2027年：2027年9月12日 星期日（距今278天）"
[ "$docs" = 1 ] && shot go-to-date-docs
result=$(drive dialog 转到日期 5000 pick 1462 2027年 dialog-idle text-of 1465)
check "旧历2027年八月十二 is 2027年9月12日 ($result)" \
    contains "$result" "text 1465 2027年9月12日 星期日，旧历二〇二七年八月十二（距今278天）"
drive dialog 转到日期 5000 click 1 dialog-gone 转到日期 10000 >/dev/null
check "转到 shows September 2027" eventually shown_month_is 2027年9月
shot go-to-date
read -r l t r b <<<"$(python3 scripts/tests.d/month_cells.py "$config" 2027 9 number 12)"
blue=$(convert "$work/go-to-date-window.png" -crop "$((r - l + 8))x$((b - t + 8))+$((l - 4))+$((t - 4))" txt:- |
    awk -F'[(),]' 'NR > 1 && $5 > 150 && $5 > $3 + 60 { n++ } END { print n + 0 }')
check "the day gone to is ringed ($blue blue pixels round 9月12日)" test "$blue" -ge 40

stop_app

if [ "$docs" = 1 ]; then
    # The README's pictures: each dialog with the month beside it, cut to them
    # (below Wine's stand-in for the notification area at the top left).
    for name in good-days leave-plan go-to-date; do
        convert "$artifacts/planning-$name-docs.png" -crop +0+60 +repage -bordercolor black -border 1 -fuzz 2% \
            -trim +repage \
            "$root/docs/planning-$name.png"
    done
fi
e2e_summary "planning e2e"
