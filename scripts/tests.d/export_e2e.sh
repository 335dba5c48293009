#!/usr/bin/env bash
# End to end: the tray menu's 导出到手机日历... opens its dialog, which writes
# the calendar file where its save box says and reports the number of events.
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

drive tray-menu menu-pick 退出 wait-gone 20000 >/dev/null
wait "$app_pid" 2>/dev/null
e2e_summary "export e2e"
