#!/usr/bin/env bash
# End to end: the tray menu's 导出到手机日历... opens its dialog, which writes
# the calendar file where its save box says and reports the number of events;
# with 保持更新 ticked, the program writes the file again after each save of
# the memos, and no more once it is unticked.
# Solvane.exe from an installation laid out like build/win64/dist, under Wine.
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-export-e2e

install="$build/e2e/export-install"
install_fresh "$install" "Template=Default"
printf '%s\r\n' "YL,JR,10-1,国庆节,,,,1,1,1" "NL,SR,8-12,奶奶的生日,1940,,,1,1,1" | iconv -f UTF-8 -t GBK \
    > "$install/Ostrel/holidays.cfg"
out="$install/导出/Tavro日历.ics"
mkdir -p "$install/导出"
winpath="Z:${out//\//\\}"

( cd "$install" && "$WINE" Solvane.exe ) >/dev/null 2>&1 &
app_pid=$!
drive wait-calendar 60000 >/dev/null

opened=$(drive tray-menu menu-pick-in 管理节假日/备忘 导出到手机日历... dialog 导出到手机日历 60000 \
    state 2201 state 2202 state 2203 state 2204 state 2205 text-of 2206 text-of 2207)
import -window root "$artifacts/export-dialog.png" 2>/dev/null
check "导出到手机日历... opens the dialog with the user's own festivals and memos ticked, terms not" \
    test "$(grep '^state' <<<"$opened" | cut -d' ' -f2,4 | tr '\n' '/')" = \
    "2201 checked/2202 unchecked/2203 checked/2204 checked/2205 unchecked/"
check "eleven years by default" grep -qx "text 2206 11" <<<"$opened"
check "the save box names Tavro日历.ics" grep -q "^text 2207 .*Tavro日历.ics$" <<<"$opened"

# The file dialogs' DLL is not loaded at start but at its first call.
browsed=$(drive dialog 导出到手机日历 20000 click 2208 dialog 另存为 20000 click 2 dialog-gone 另存为 20000 \
    dialog 导出到手机日历 20000 text-of 2207)
check "浏览... opens Windows' 另存为 box, and 取消 there leaves the file named as it was" \
    eval 'grep -qx "dialog 另存为" <<<"$browsed" && grep -q "^text 2207 .*Tavro日历.ics$" <<<"$browsed"'

refused=$(drive dialog 导出到手机日历 20000 set-text 2206 0 click 1 box 20000 ok dialog 导出到手机日历 20000)
check "zero years is refused, the dialog stays open" grep -q "年数" <<<"$refused"

reported=$(drive dialog 导出到手机日历 20000 set-text 2206 11 check 2203 1 set-text 2207 "$winpath" click 1 box 60000 ok \
    dialog-gone 导出到手机日历 20000)
check "exporting reports the number of events and how to import them" grep -q "已导出 .* 个事件到" <<<"$reported"
check "the file is written where the save box said" test -s "$out"
hex() { od -An -tx1 | tr -d ' \n'; }
check "it is an iCalendar file with CR LF line ends" \
    test "$(head -c 17 "$out" 2>/dev/null | hex)" = "$(printf 'BEGIN:VCALENDAR\r\n' | hex)"
births=$(grep -c '^SUMMARY:奶奶的生日（' "$out" 2>/dev/null)
check "only the own festivals: the lunar birthday once a year (11 or 12 with a leap eighth month), no 国庆节" \
    eval "[ ${births:-0} -ge 11 ] && [ ${births:-0} -le 12 ] && ! grep -q 国庆节 '$out'"
check "no temporary file is left beside it" test "$(ls "$install/导出")" = "Tavro日历.ics"

# --- 保持更新: a file in a synced folder follows the memos as they are saved ---
kept="$install/同步/Tavro日历.ics"
mkdir -p "$install/同步"
year=$(date +%Y)
add_memo() {  # text: a memo on 31 December of this year, saved in the manager
    drive tray-menu menu-pick-in 管理节假日/备忘 添加备忘... dialog 添加 20000 set-text 1038 "$1" \
        set-text 1014 "$year" set-text 1015 12 set-text 1016 31 set-text 1017 20 set-text 1018 0 click 1 \
        dialog-gone 添加 10000 >/dev/null
}
reported=$(drive tray-menu menu-pick-in 管理节假日/备忘 导出到手机日历... dialog 导出到手机日历 60000 \
    set-text 2207 "Z:${kept//\//\\}" check 2211 1 click 1 box 60000 ok dialog-gone 导出到手机日历 20000)
check "exporting with 保持更新 says the file will be rewritten after each save" grep -q "保持更新" <<<"$reported"
settings() { iconv -f GBK -t UTF-8 "$install/Solvane.ini"; }
check "Solvane.ini remembers the file and 保持更新" eventually eval \
    'settings | grep -q "^KeepCalendarFileUpdated=1" && settings | grep -q "^CalendarFile=Z:.*同步.Tavro日历.ics"'
add_memo 年终聚餐
check "saving a memo in the manager rewrites the file, which holds the new memo's event" \
    eventually eval 'grep -q "^SUMMARY:年终聚餐" "$kept"'
check "and no temporary file is left beside it" eventually test "$(ls "$install/同步")" = "Tavro日历.ics"
reopened=$(drive tray-menu menu-pick-in 管理节假日/备忘 导出到手机日历... dialog 导出到手机日历 60000 \
    state 2211 text-of 2207)
import -window root "$artifacts/export-keep-updated.png" 2>/dev/null
check "the dialog opens again on the file kept up to date, 保持更新 ticked" \
    eval 'grep -q "^state 2211 [a-z]* checked" <<<"$reopened" && grep -q "^text 2207 .*同步.Tavro日历.ics$" <<<"$reopened"'
drive dialog 导出到手机日历 20000 check 2211 0 click 1 box 60000 ok dialog-gone 导出到手机日历 20000 >/dev/null
check "once unticked, Solvane.ini says so" eventually eval 'settings | grep -q "^KeepCalendarFileUpdated=0"'
untouched=$(md5sum <"$kept")
add_memo 新年登山
sleep 3
check "after unticking, a save leaves the file as it was" eval '[ "$(md5sum <"$kept")" = "$untouched" ]'
check "and it holds no event of the memo saved since" eval '! grep -q 新年登山 "$kept"'

drive tray-menu menu-pick 退出 wait-gone 20000 >/dev/null
wait "$app_pid" 2>/dev/null
e2e_summary "export e2e"
