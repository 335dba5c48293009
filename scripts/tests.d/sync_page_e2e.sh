#!/usr/bin/env bash
# The calendar sync from the program, under 64-bit Wine as Chinese Windows,
# against Radicale on 127.0.0.1 with a user and password: the 同步 page of
# 设置 filled in as a user does and 立即同步 pressed; a wrong password gives
# its message in the page's state line, the right one sends everything, and
# python-caldav (not this program) finds the lunar birthday on its Gregorian
# dates and the memo with its alarms. Confirmed, the page keeps the account
# in Solvane.ini and the password with Windows, never in the file; a memo
# saved in the memo manager then reaches the server by itself, and the
# Windows build of solvane-cli finds nothing left to send. An event edited
# through python-caldav is a conflict, shown with both versions in 同步冲突:
# 保留手机上的 makes the memo say what the phone says, 放回电脑上的 writes
# ours back, also over a deletion there. The screenshots of the page and the
# dialog are the ones the user guide shows (docs/sync-page.png,
# docs/sync-conflict.png).
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-sync-e2e

py=/usr/bin/python3  # Debian's, with python3-caldav and radicale
tools="$root/scripts/tests.d/caldav_sync_tools.py"
if ! "$py" -c 'import caldav, radicale' 2>/dev/null; then
    skip "the sync page against Radicale" "python3-caldav or radicale missing"
    e2e_summary "sync page e2e"
    exit 0
fi

port=$("$py" -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
"$py" "$tools" radicale "$work/radicale" "$port" >"$work/radicale.log" 2>&1 &
e2e_pids+=($!)
eventually --within 20 "$py" -c "import socket; socket.create_connection(('127.0.0.1', $port), 1)"
server="http://127.0.0.1:$port/"

install="$build/e2e/install-sync"
install_fresh "$install" "Template=Default" "SystemTrayTemplate=RedPage"
year=$(date +%Y) next=$(($(date +%Y) + 1))
printf 'NL,SR,8-12,%s,1940,,,1,1,1\r\n' "$(printf '奶奶的生日' | iconv -f utf-8 -t gbk)" >"$install/Ostrel/holidays.cfg"
rm -f "$install/Reminders/"*
"$py" "$tools" memos "$install/Reminders/reminders.cfg" "看牙医,$next-03-15,09:30,0,3,7,101"

( cd "$install" && "$WINE" Solvane.exe ) >/dev/null 2>&1 &
app_pid=$!
drive wait-calendar 60000 >/dev/null

listing() { "$py" "$tools" list "$server" alice secret "Tavro日历" 2>/dev/null; }
state_line() { drive dialog 设置 5000 text-of 1051 | sed -n 's/^text 1051 //p'; }
state_says() { state_line | grep -qF -- "$1"; }

# --- the page, a wrong password, then the right one --------------------------
opened=$(drive tray-menu menu-pick 设置... dialog 设置 20000 tab 1040 1 state 1041 state 1008 text-of 1044 \
    state 1045 text-of 1049 text-of 1051)
check "设置 has a 同步 page: the server's address in view, the 常规 page's lists out of it" \
    eval 'grep -qx "state 1041 enabled unchecked visible" <<<"$opened" &&
        grep -qx "state 1008 enabled unchecked hidden" <<<"$opened"'
check "it offers the calendar Tavro日历, everything ticked, this year and the next two" \
    eval 'grep -qx "text 1044 Tavro日历" <<<"$opened" && grep -qx "state 1045 enabled checked visible" <<<"$opened" &&
        grep -qx "text 1049 3年（今年和后两年）" <<<"$opened"'
check "with no server set, the state line says it does not sync" \
    eval 'grep -qx "text 1051 未设置服务器：不同步。" <<<"$opened"'

drive dialog 设置 5000 set-text 1041 "$server" set-text 1042 alice set-text 1043 wrong click 1050 >/dev/null
check "立即同步 with a wrong password: the state line says why, no message box" \
    eventually --within 60 state_says "同步失败：服务器不接受这个用户名和密码（401）"
check "and no box interrupts" drive no-box 500
echo "        设置 line: $(state_line | tr '\r' ' ')"

drive dialog 设置 5000 set-text 1043 secret click 1050 >/dev/null
check "立即同步 with the right password: the state line names the sync and what it sent" \
    eventually --within 90 state_says "上次同步成功："
said=$(state_line | tr '\r' ' ')
echo "        设置 line: $said"
check "a birthday on three years' dates and one memo: 新建4 更新0 删除0 冲突0" \
    eval 'grep -qF "新建4 更新0 删除0 冲突0" <<<"$said"'
read -r l t r b <<<"$(drive dialog 设置 5000 dialog-rect | sed -n 's/^dialog-rect //p')"
park_pointer
screenshot "$work/screen.png"
convert "$work/screen.png" -crop "$((r - l))x$((b - t))+$l+$t" +repage "$artifacts/sync-page.png"

listing >"$work/listing"
echo "        python-caldav lists:"; sed 's/^/            /' "$work/listing"
check "python-caldav finds the lunar birthday (八月十二) on three Gregorian dates" \
    test "$(grep -c ' 奶奶的生日' "$work/listing")" = 3
if [ "$year" -ge 2025 ] && [ "$year" -le 2027 ]; then
    check "among them 2027-09-12" grep -q '^2027-09-12 奶奶的生日' "$work/listing"
fi
check "and the memo with its two alarms" grep -q "^$next-03-15 09:30 看牙医 \[-PT15M -P1D\]" "$work/listing"

drive dialog 设置 5000 tab 1040 0 >/dev/null
screenshot "$work/screen.png"
convert "$work/screen.png" -crop "$((r - l))x$((b - t))+$l+$t" +repage "$artifacts/settings-general-page.png"
drive dialog 设置 5000 tab 1040 1 >/dev/null

# --- confirmed: the account in the file, the password with Windows -----------
drive dialog 设置 5000 click 1 dialog-gone 设置 10000 >/dev/null
ini=$(iconv -f gbk -t utf-8 "$install/Solvane.ini" | tr -d '\r')
check "确定 keeps the server, the user and the calendar in Solvane.ini" \
    eval 'grep -qx "SyncServer=$server" <<<"$ini" && grep -qx "SyncUser=alice" <<<"$ini" &&
        grep -qx "SyncCalendar=Tavro日历" <<<"$ini"'
check "and never the password" eval '! grep -q secret "$install/Solvane.ini"'
reopened=$(drive tray-menu menu-pick 设置... dialog 设置 20000 tab 1040 1 text-of 1041 click 2 dialog-gone 设置 10000)
check "the page shows the kept account when opened again" grep -qx "text 1041 $server" <<<"$reopened"

# --- a memo saved in the manager reaches the server by itself ----------------
drive tray-menu menu-pick-in 管理节假日/备忘 添加备忘... dialog 添加 20000 set-text 1038 去银行办卡 \
    pick 1009 无提醒 click 1 dialog-gone 添加 10000 >/dev/null
check "a memo added through the manager is on the server without 立即同步" \
    eventually --within 90 eval 'listing | grep -q " 去银行办卡"'

# --- conflicts: an event edited or deleted on the phone, and each choice -----
memo_lines() { "$py" "$tools" read-memos "$install/Reminders/reminders.cfg"; }
conflicts() {  # after an edit on the phone: 立即同步, then the conflict's dialog over the page
    drive dialog 设置 5000 click 1050 >/dev/null
    eventually --within 90 state_says "冲突1" || return 1
    drive dialog 设置 5000 click 1052 dialog 同步冲突 20000 text-of 2302 text-of 2303
}
resolve() {  # the button, then the sync it starts
    drive dialog 同步冲突 5000 click "$1" dialog-gone 同步冲突 10000 >/dev/null &&
        eventually --within 90 state_says "$2 冲突0）"
}
drive tray-menu menu-pick 设置... dialog 设置 20000 tab 1040 1 >/dev/null
check "with no conflict left by the last sync, 处理冲突… is disabled" \
    eval 'drive dialog 设置 5000 state 1052 | grep -qx "state 1052 disabled unchecked visible"'

"$py" "$tools" edit "$server" alice secret "Tavro日历" "$next-03-15" 看牙医改期 "${next}0316T100000" >/dev/null
shown=$(conflicts)
echo "        同步冲突 shows (~ a line break):"; grep '^text' <<<"$shown" | sed 's/^/            /'
check "an event edited on the phone is a conflict, both versions shown side by side" \
    eval 'grep -q "^text 2302 标题：看牙医~时间：$next-03-15 09:30~" <<<"$shown" &&
        grep -q "^text 2303 标题：看牙医改期~时间：$next-03-16 10:00~" <<<"$shown"'
read -r l t r b <<<"$(drive dialog 同步冲突 5000 dialog-rect | sed -n 's/^dialog-rect //p')"
park_pointer
screenshot "$work/screen.png"
convert "$work/screen.png" -crop "$((r - l))x$((b - t))+$l+$t" +repage "$artifacts/sync-conflict.png"
check "保留手机上的 saves the phone's version as the memo and the next sync says 冲突0" \
    resolve 2305 "更新1 删除0"
check "the memo file holds the phone's title and time" eval 'grep -qx "看牙医改期 $next-03-16 10:00" <<<"$(memo_lines)"'
listed=$(listing)
check "python-caldav lists exactly one such event, with the phone's title and time" \
    eval '[ "$(grep -c 看牙医 <<<"$listed")" = 1 ] && grep -q "^$next-03-16 10:00 看牙医改期 " <<<"$listed"'
check "处理冲突… is disabled again" \
    eval 'drive dialog 设置 5000 state 1052 | grep -qx "state 1052 disabled unchecked visible"'

"$py" "$tools" edit "$server" alice secret "Tavro日历" "$next-03-16" 看牙医又改了 >/dev/null
shown=$(conflicts)
check "a second edit on the phone is a conflict again" eval 'grep -q "^text 2303 标题：看牙医又改了~" <<<"$shown"'
check "放回电脑上的 writes ours over the phone's" resolve 2306 "更新1 删除0"
listed=$(listing)
check "python-caldav lists ours again" \
    eval '[ "$(grep -c 看牙医 <<<"$listed")" = 1 ] && grep -q "^$next-03-16 10:00 看牙医改期 " <<<"$listed"'

"$py" "$tools" delete "$server" alice secret "Tavro日历" "$next-03-16" >/dev/null
shown=$(conflicts)
check "an event deleted on the phone is a conflict shown as deleted there" \
    eval 'grep -qx "text 2303 手机上已删除" <<<"$shown"'
check "放回电脑上的 makes it anew" resolve 2306 "新建1 更新0 删除0"
listed=$(listing)
check "python-caldav lists it again, once" \
    eval '[ "$(grep -c 看牙医 <<<"$listed")" = 1 ] && grep -q "^$next-03-16 10:00 看牙医改期 " <<<"$listed"'
drive dialog 设置 5000 click 2 dialog-gone 设置 10000 >/dev/null

stop_app

# --- the Windows tool syncs the same files through the same WinHTTP client ---
printf 'secret\n' >"$work/password"
told=$("$WINE" "$build/tools/cli/solvane-cli.exe" sync --festivals "$(windows_path "$install/Ostrel/holidays.cfg")" \
    --memos "$(windows_path "$install/Reminders/reminders.cfg")" --server "$server" --user alice \
    --password-file "$(windows_path "$work/password")" 2>/dev/null | tr -d '\r')
check "solvane-cli.exe sync under Wine finds nothing left to send: 新建0 更新0 删除0 冲突0" \
    eval 'grep -qx "新建0 更新0 删除0 冲突0" <<<"$told"'
e2e_summary "sync page e2e"
