#!/usr/bin/env bash
# End-to-end tests of the festival manager and editor: Solvane.exe from an
# installation laid out like build/win64/dist, under 64-bit Wine in the virtual
# display, driven by solvane-e2e.exe through the day menu, the tray menu and
# the dialogs' own controls. Screenshots go to build/win64/artifacts/e2e/.
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-festival-e2e

install="$build/e2e/festival-install"
festivals="$install/Ostrel/holidays.cfg"
# Generous timeouts: the machine may be busy; every wait polls.

fresh_install() {  # the shipped installation with a festival file of three rules
    install_fresh "$install" "Template=Default"
    printf '%s\r\n' "YL,JR,10-1,国庆节,,,,1,1,1" "NL,JR,8-15,中秋节,,,,1,1,1" "YL,JNR,MSD:5:2:7,母亲节,,,,,1,0" |
        iconv -f UTF-8 -t GBK > "$festivals"
}

start_app() {
    ( cd "$install" && "$WINE" Solvane.exe ) >/dev/null 2>&1 &
    app_pid=$!
    drive wait-calendar 60000 >/dev/null
}

festival_lines() { iconv -f GBK -t UTF-8 "$festivals" | tr -d '\r'; }

# Saving ends with a flush to disk, which a busy machine may take seconds over:
# the file is polled until it holds the expected lines ("|" after each).
file_becomes() {
    holds() { [ "$(festival_lines | tr '\n' '|')" = "$1" ]; }
    eventually --within 30 holds "$1" && return 0
    echo "holidays.cfg: $(festival_lines | tr '\n' '|')"
    return 1
}

contains() { grep -qxF -- "$2" <<<"$1"; }

year=$(date +%Y) month=$(date +%-m)
cells() { python3 "$root/scripts/tests.d/month_cells.py" "$install/Ostrel/Templates/Default/config.ini" "$@"; }
day_menu() { drive right-click $(cells "$year" "$month" centre "$1") list-menu menu-close | cut -f3; }
open_manager() { drive tray-menu menu-pick-in 管理节假日/备忘 节日管理... dialog 节日管理 60000 read; }
# "checked|cells" of each row of a `read`.
rows_of() { grep '^row' <<<"$1" | cut -f3,5 | tr '\t' '|'; }

# --- a lunar birthday from the day menu ---------------------------------------------
fresh_install
start_app
# The 15th of this month and its lunar date, from the command-line tool's day
# view: "month-name day-name month-day".
read -r lunar_month lunar_day lunar_code <<<"$("$cli" day "$year-$month-15" | python3 -c '
import sys
months = ["正", "二", "三", "四", "五", "六", "七", "八", "九", "十", "十一", "腊"]
days = ["初" + d for d in "一二三四五六七八九十"] + ["十" + d for d in "一二三四五六七八九"] + ["二十"] \
    + ["廿" + d for d in "一二三四五六七八九"] + ["三十"]
line = next(l for l in sys.stdin if l.startswith("旧历："))
text = line.strip().replace("（闰月）", "").split("年", 1)[1]
month, day = text.split("月", 1)
print(month, day, "%d-%d" % (months.index(month) + 1, days.index(day) + 1))
')"
editor=$(drive right-click $(cells "$year" "$month" centre 15) list-menu menu-pick 添加旧历节日... dialog 添加 60000 read)
check "添加旧历节日... opens the editor captioned 添加 on a birthday" contains "$editor" "combo	1009	生日"
check "on the lunar calendar" contains "$editor" "combo	1008	旧历"
check "on the clicked day's lunar date ($lunar_month $lunar_day)" \
    test "$(grep -P '^combo\t102[12]\t' <<<"$editor" | cut -f3 | tr '\n' ' ')" = "$lunar_month $lunar_day "
check "listed among the coming days and announced" \
    test "$(grep -P '^control\t100[45]\t' <<<"$editor" | cut -f5 | tr -d '\n')" = "11"
import -window root "$artifacts/festival-editor.png" 2>/dev/null

refused=$(drive dialog 添加 20000 click 1 box 20000 ok dialog 添加 20000)
check "OK without a name is refused with 尚未输入节日名称。, the editor stays open" \
    grep -q "尚未输入节日名称。" <<<"$refused"
refused=$(drive dialog 添加 20000 set-text 1017 "生日ก" click 1 box 20000 ok dialog 添加 20000)
check "a name with a character the file cannot store is refused, the editor stays open" \
    grep -q "节日名称中有无法保存的字符" <<<"$refused"
refused=$(drive dialog 添加 20000 set-text 1017 "$(printf '%01300d' 0 | tr 0 ,)" click 1 box 20000 ok dialog 添加 20000)
check "so is one too long to load back from the file" grep -q "太长，无法保存" <<<"$refused"
drive dialog 添加 20000 set-text 1017 妈妈的生日 set-text 1013 1980 click 1 dialog-gone 添加 30000 >/dev/null
check "confirming writes the birthday at the top of holidays.cfg, the other festivals after it as they were" file_becomes \
    "NL,SR,$lunar_code,妈妈的生日,1980,,,1,1,1|YL,JR,10-1,国庆节,,,,1,1,1|NL,JR,8-15,中秋节,,,,1,1,1|YL,JNR,MSD:5:2:7,母亲节,,,,,1,0|"
check "the month shows it at once: the day's menu lists 妈妈的生日" eventually eval 'contains "$(day_menu 15)" 妈妈的生日'
unchanged=$(md5sum < "$festivals")
# The pointer leaves the cell first, so that no balloon stands where the next
# click goes.
park_pointer
editor=$(drive right-click $(cells "$year" "$month" centre 15) list-menu menu-pick 添加阳历节日... dialog 添加 60000 read)
check "添加阳历节日... opens the editor on a festival, as the menu says" contains "$editor" "combo	1009	节日"
# Switched to 旧历, the date stays the day clicked, and the hint says so.
switched=$(drive dialog 添加 20000 pick 1008 旧历 read text-of 1031)
check "switching 阳历 to 旧历 keeps the clicked day as its lunar date ($lunar_month $lunar_day)" \
    test "$(grep -P '^combo\t102[12]\t' <<<"$switched" | cut -f3 | tr '\n' ' ')" = "$lunar_month $lunar_day "
check "and the hint names the clicked day" contains "$switched" "text 1031 即阳历${year}年$((10#$month))月15日"
check "cancelling the editor of 添加阳历节日... closes without writing" drive dialog 添加 20000 click 2 dialog-gone 添加 20000
check "holidays.cfg stays as it was" test "$(md5sum < "$festivals")" = "$unchanged"
stop_app

# --- the manager: cancel without changes, check boxes alone ----------------------------
fresh_install
before=$(md5sum < "$festivals")
start_app
# October of this year, through the month menu, where 国庆节 falls on the 1st.
october_menu() { drive right-click $(cells "$year" 10 centre 1) list-menu menu-close | cut -f3; }
drive left-click 327 40 list-menu menu-pick 10月 >/dev/null
check "1 October lists 国庆节" contains "$(october_menu)" "国庆节"
listing=$(open_manager)
import -window root "$artifacts/festival-manager.png" 2>/dev/null
check "节日管理... lists the rules in file order, ticked unless enabled is 0 (an empty one is on)" \
    test "$(rows_of "$listing" | tr '\n' '/')" = \
    "1|节日|阳历|国庆节|10月1日|||/1|节日|旧历|中秋节|八月十五|||/1|纪念日|阳历|母亲节|5月的第二个星期日|||/"
drive dialog 节日管理 20000 close dialog-gone 节日管理 20000 >/dev/null
check "closing it unchanged asks nothing and writes nothing" test "$(md5sum < "$festivals")" = "$before"
unticked=$(drive tray-menu menu-pick-in 管理节假日/备忘 节日管理... dialog 节日管理 60000 check-row 0 0 close box 20000 no)
check "unticking alone is a change: closing asks 已经修改了节日，是否保存？" \
    contains "$unticked" "box 请确认|已经修改了节日，是否保存？"
drive dialog-gone 节日管理 20000 >/dev/null
check "and 否 leaves the file as it was" test "$(md5sum < "$festivals")" = "$before"

# --- 取消 and 否 after a change ---------------------------------------------------------------
prompt=$(drive tray-menu menu-pick-in 管理节假日/备忘 节日管理... dialog 节日管理 60000 select-row 0 click 3 \
    close box 20000 cancel)
check "after a deletion closing asks 已经修改了节日，是否保存？ captioned 请确认" contains "$prompt" "box 请确认|已经修改了节日，是否保存？"
stayed=$(drive dialog 节日管理 20000 read)
check "取消 keeps the manager open with the change" test "$(rows_of "$stayed" | wc -l)" = 2
drive dialog 节日管理 20000 close box 20000 no dialog-gone 节日管理 20000 >/dev/null
check "否 discards the change" test "$(md5sum < "$festivals")" = "$before"

# --- edit, reorder and untick, then save ---------------------------------------------------
edited=$(drive tray-menu menu-pick-in 管理节假日/备忘 节日管理... dialog 节日管理 60000 select-row 0 click 4 \
    dialog 编辑 20000 set-text 1017 国庆 click 1 dialog-gone 编辑 20000 \
    dialog 节日管理 20000 check-row 0 0 select-row 2 click 1028 read)
check "editing, moving 母亲节 up and unticking 国庆 show in the list" test "$(rows_of "$edited" | cut -d'|' -f1,4 | tr '\n' '/')" = \
    "0|国庆/1|母亲节/1|中秋节/"
check "the moved row stays selected" test "$(grep '^row' <<<"$edited" | cut -f2,4 | grep -P '\t1$' | cut -f1)" = "1"
drive dialog 节日管理 20000 click 1 dialog-gone 节日管理 20000 >/dev/null
check "保存并关闭 writes the new order, the changed box as 0 and the untouched empty one as it was" \
    file_becomes "YL,JR,10-1,国庆,,,,0,1,1|YL,JNR,MSD:5:2:7,母亲节,,,,,1,0|NL,JR,8-15,中秋节,,,,1,1,1|"
# The day also carries its holiday schedule line (国庆节假期 休): the festival's
# own item is the line that is its name alone.
check "and the month is rebuilt: 1 October no longer lists the unticked festival" \
    eventually eval '! grep -qx 国庆 <<<"$(october_menu)"'

# --- the keyboard: after DOWN the list has the focus, and Enter edits the row ---------------
saved=$(md5sum < "$festivals")
keyed=$(drive tray-menu menu-pick-in 管理节假日/备忘 节日管理... dialog 节日管理 60000 select-row 0 click 1029 \
    press-enter dialog 编辑 20000 text-of 1017 click 2 dialog-gone 编辑 20000 dialog 节日管理 20000)
check "Enter on the moved row opens its editor instead of 保存并关闭" contains "$keyed" "text 1017 国庆"
check "the manager is still open after the editor is cancelled, and closing asks first" \
    drive dialog 节日管理 20000 close box 20000 no dialog-gone 节日管理 20000
check "nothing was saved" test "$(md5sum < "$festivals")" = "$saved"

# --- a festival file edited in Notepad while the manager is open -------------------------------
drive tray-menu menu-pick-in 管理节假日/备忘 节日管理... dialog 节日管理 60000 >/dev/null
printf '%s\r\n' "YL,JR,5-1,劳动节,,,,1,1,1" | iconv -f UTF-8 -t GBK >> "$festivals"
edited_save=$(drive dialog 节日管理 20000 click 1 box 20000 no box 20000 ok dialog-gone 节日管理 20000)
check "saving over a festival file edited meanwhile asks first: read it again, overwrite it or go back" \
    grep -q "^box Tavro日历|节日文件在打开节日管理后已被其他程序改动：~.*「是」：重新读取这个文件，放弃在这里所做的修改。~「否」：用这里的列表覆盖它，另一版本先另存为副本。~「取消」" <<<"$edited_save"
check "否 overwrites it and names the dated copy kept of it" grep -q "备份为" <<<"$edited_save"
backup=$(ls "$festivals".*.bak 2>/dev/null | head -1)
check "and that copy holds the edit" eval 'iconv -f GBK -t UTF-8 < "$backup" | grep -q 劳动节'
saved=$(md5sum < "$festivals")

# --- a festival file that cannot be read -----------------------------------------------------
# Locked by another program while the editor opens, free again when it is
# confirmed: the manager's list lacks the file's festivals, so the save asks
# to read the file again; declined, nothing is written.
unread=$(drive lock-file "Z:${festivals//\//\\}" right-click $(cells "$year" 10 centre 1) list-menu \
    menu-pick 添加阳历节日... dialog 添加 60000 unlock-file set-text 1017 读不出 click 1 box 30000 no)
check "a festival file that could not be read is not saved over: the save offers to read it again" \
    grep -q "打开节日管理时没能读出节日文件" <<<"$unread"
check "and keeps every festival it held" test "$(md5sum < "$festivals")" = "$saved"
kept=$(drive dialog 节日管理 30000 read)
check "the manager opens with the new festival" contains "$(rows_of "$kept")" "1|节日|阳历|读不出|10月1日|||"
drive dialog 节日管理 20000 click 1 box 20000 yes dialog-gone 节日管理 20000 >/dev/null
check "保存并关闭, reading the file again, adds the new festival after every one the file held" \
    eval 'iconv -f GBK -t UTF-8 < "$festivals" | tr -d "\r" | grep -c "国庆\|母亲节\|中秋节\|读不出" | grep -qx 4'
saved=$(md5sum < "$festivals")

# --- a festival file that cannot be written ------------------------------------------------
# A folder in the file's place cannot be replaced by the save; it cannot be
# read either, which is what the save then reports.
rm -f "$festivals"
mkdir -p "$festivals/keep"
failed_save=$(drive right-click $(cells "$year" 10 centre 1) list-menu menu-pick 添加阳历节日... dialog 添加 60000 \
    set-text 1017 不能保存 click 1 box 30000 yes box 30000 ok)
check "a save that fails is reported" grep -q "无法读取节日文件" <<<"$failed_save"
kept=$(drive dialog 节日管理 30000 read)
check "and the manager opens with the new festival, nothing lost" contains "$(rows_of "$kept")" "1|节日|阳历|不能保存|10月1日|||"
check "closing then asks before dropping it" drive dialog 节日管理 20000 close box 20000 no \
    dialog-gone 节日管理 20000
stop_app

e2e_summary "festival e2e"
