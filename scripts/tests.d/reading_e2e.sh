#!/usr/bin/env bash
# What a Chinese user reads in the dialogs, at 100 % and at 150 % (Wine's
# LogPixels in this script's own prefix): the 黄历 page leads with 宜 and 忌
# and cuts nothing (not the 时辰 table's 冲 column either), the settings lists
# offer the templates and tray styles by their Chinese names and no "@2x"
# picture, and the memo and festival editors say beside their date fields
# which day the date is in the other calendar; 查吉日 and 拼假, their lists
# filled, cut nothing either. Solvane.exe under 64-bit Wine,
# driven by solvane-e2e.exe; the screenshots (reading-*-100.png and
# reading-*-150.png in build/win64/artifacts/e2e/) are meant to be looked at.
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-reading-e2e

install="$build/e2e/reading-install"
config="$install/Ostrel/Templates/Default/config.ini"

has() { grep -qxF -- "$2" <<<"$1"; }  # output, exact line
before() {                            # output, two line prefixes: the first comes first
    local a b
    a=$(grep -nF -- "$2" <<<"$1" | head -1 | cut -d: -f1)
    b=$(grep -nF -- "$3" <<<"$1" | head -1 | cut -d: -f1)
    [ -n "$a" ] && [ -n "$b" ] && [ "$a" -lt "$b" ]
}

start_app() {
    install_fresh "$install" "Template=Default" "SystemTrayTemplate=RedPage"
    ( cd "$install" && "$WINE" Solvane.exe ) >/dev/null 2>&1 &
    app_pid=$!
    drive wait-calendar 60000 >/dev/null
}

finder_listed() { drive dialog 查吉日 5000 rows 1449 | grep -q '^row [0-9]'; }
planner_listed() { drive dialog 拼假 5000 rows 1455 | grep -q '^row [0-9]'; }

shot() {  # name: the dialog as it stands
    screenshot "$artifacts/$1.png"
}

year=$(date +%Y) month=$(date +%-m)
cell_of() { python3 "$root/scripts/tests.d/month_cells.py" "$config" "$year" "$month" centre "$1"; }

reading_at() {  # scale in percent
    local scale=$1 x y page cut settings picked editor hint festival
    set_dpi $((96 * scale / 100))
    start_app

    # --- the 黄历 page of the 22nd of this month, from the day menu -------------------------
    read -r x y <<<"$(cell_of 22)"
    # Just after start a busy program may let the first right-click pass
    # without a menu; the user would click again, and so does this.
    for _ in 1 2 3; do
        park_pointer
        page=$(drive right-click $((x * scale / 100)) $((y * scale / 100)) list-menu menu-pick 查看黄历... \
            dialog 黄历 30000 read)
        has "$page" "dialog 黄历" && break
    done
    shot "reading-almanac-page-$scale"
    check "at $scale % the page leads with 宜, then 忌, before the rest of the page" \
        eval 'before "$page" "control	1436	Edit	宜：" "control	1437	Edit	忌：" &&
              before "$page" "control	1437	Edit	忌：" "control	1432	Edit	"'
    if [ "$year-$month" = 2026-12 ]; then
        check "22 December 2026, fit for nothing, says 宜：无 and 忌：诸事不宜" \
            eval 'has "$page" "control	1436	Edit	宜：无" && has "$page" "control	1437	Edit	忌：诸事不宜"'
    fi
    cut=$(drive dialog 黄历 5000 cut | grep -v "^dialog ")
    check "at $scale % nothing on the page is cut, the 时辰 table's 冲 column included ($(tr '\n' ' ' <<<"$cut"))" \
        test "$cut" = whole
    drive dialog 黄历 5000 press-escape dialog-gone 黄历 10000 >/dev/null

    # --- the planning dialogs, their lists filled -------------------------------------
    # 查吉日's columns hold 值神 such as 天德（黄道）; 拼假's the plans' long texts.
    drive tray-menu menu-pick 查吉日... dialog 查吉日 30000 pick 1440 嫁娶 dialog-idle click 1447 dialog-idle >/dev/null
    eventually --within 30 finder_listed
    cut=$(drive dialog 查吉日 5000 cut | grep -v "^dialog ")
    check "at $scale % nothing in 查吉日 is cut, its 值神 column included ($(tr '\n' ' ' <<<"$cut"))" test "$cut" = whole
    shot "reading-good-days-$scale"
    drive dialog 查吉日 5000 click 2 dialog-gone 查吉日 10000 >/dev/null
    drive tray-menu menu-pick 拼假... dialog 拼假 30000 dialog-idle >/dev/null
    for year_shown in coming "$year"; do
        [ "$year_shown" = coming ] || drive dialog 拼假 5000 pick 1452 "${year_shown}年" dialog-idle >/dev/null
        eventually --within 30 planner_listed
        cut=$(drive dialog 拼假 5000 cut | grep -v "^dialog ")
        check "at $scale % nothing in 拼假 ($year_shown) is cut ($(tr '\n' ' ' <<<"$cut"))" test "$cut" = whole
        shot "reading-leave-plan-$year_shown-$scale"
    done
    drive dialog 拼假 5000 click 2 dialog-gone 拼假 10000 >/dev/null

    # --- the settings lists in Chinese ------------------------------------------------
    settings=$(drive tray-menu menu-pick 设置... dialog 设置 20000 text-of 1008 text-of 1017)
    check "at $scale % 设置 shows the template and tray style in use by their Chinese names" \
        eval 'has "$settings" "text 1008 经典" && has "$settings" "text 1017 红色日历页"'
    picked=$(drive dialog 设置 5000 pick 1008 夜色 pick 1017 蓝色方块 pick 1017 夜空圆月 pick 1017 红色日历页 2>&1)
    check "every shipped template and tray style is offered by its Chinese name" \
        eval '! grep -q "^error" <<<"$picked"'
    check "no @2x picture is offered as a style, and no folder name in place of a Chinese one" \
        eval '! drive dialog 设置 5000 pick 1017 RedPage@2x && ! drive dialog 设置 5000 pick 1017 BlueTile@2x &&
              ! drive dialog 设置 5000 pick 1008 Default'
    cut=$(drive dialog 设置 5000 cut | grep -v "^dialog ")
    check "at $scale % nothing in 设置 is cut ($(tr '\n' ' ' <<<"$cut"))" test "$cut" = whole
    shot "reading-settings-$scale"
    drive dialog 设置 5000 click 2 dialog-gone 设置 10000 >/dev/null

    # --- the memo editor's hint --------------------------------------------------------
    editor=$(drive tray-menu menu-pick-in 管理节假日/备忘 添加备忘... dialog 添加 20000 \
        pick 1014 2026 pick 1015 12 pick 1016 8 text-of 1042 \
        pick 1008 旧历 pick 1014 2026 pick 1015 腊 pick 1016 初八 text-of 1042)
    check "at $scale % 12月8日 in the memo editor is 即旧历十月三十" has "$editor" "text 1042 即旧历十月三十"
    check "and switched to 旧历, 腊月初八 is 即阳历2027年1月15日" has "$editor" "text 1042 即阳历2027年1月15日"
    cut=$(drive dialog 添加 5000 cut | grep -v "^dialog ")
    check "at $scale % nothing in the memo editor is cut, its last 分 included ($(tr '\n' ' ' <<<"$cut"))" \
        test "$cut" = whole
    shot "reading-memo-editor-$scale"
    drive dialog 添加 5000 click 2 dialog-gone 添加 10000 >/dev/null

    # --- the festival editor's hint ---------------------------------------------------
    festival=$(drive tray-menu menu-pick-in 管理节假日/备忘 添加节日... dialog 添加 20000 \
        pick 1008 旧历 page-pick 1021 腊 page-pick 1022 初八 text-of 1031)
    hint=$(grep '^text 1031 ' <<<"$festival" | cut -d' ' -f3-)
    check "at $scale % the festival editor names 腊月初八 of this year in the Gregorian calendar ($hint)" \
        eval '[[ "$hint" == 即阳历* ]]'
    shot "reading-festival-editor-$scale"
    drive dialog 添加 5000 click 2 dialog-gone 添加 10000 >/dev/null

    stop_app
}

reading_at 100
reading_at 150
set_dpi 96

e2e_summary "reading e2e"
