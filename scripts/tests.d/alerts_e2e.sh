#!/usr/bin/env bash
# Memo alerts that no user may miss, end to end under 64-bit Wine: an alert
# due while the program was not running is shown at start-up, a memo file
# locked at start-up (antivirus, a sync client) is read once it is let go,
# with its dots and the alerts due meanwhile, without a restart; 5 000
# memos alert as a few do, as do those within the limit of a file beyond it;
# a 每个工作日 memo made in the editor alerts on a make-up working Saturday and
# not on a day off, is put off with 稍后提醒 across a restart, and is deleted
# from the day menu. Drives the
# test build of the program (build/win64/e2e/Solvane-seams.exe) with its test
# clock and a quick pace of reading the locked file again; the lock is held by
# the driver. Screenshots in build/win64/artifacts/e2e/alerts-*.png.
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-alerts-e2e

install="$build/e2e/alerts-install"
seams="$build/e2e/Solvane-seams.exe"
files="$root/scripts/tests.d/notices_e2e_files.py"
memos="$install/Reminders/reminders.cfg"
state="$install/Reminders/alerts.state"
lock_pid=""
e2e_on_exit() { [ -n "$lock_pid" ] && kill -9 "$lock_pid" 2>/dev/null; return 0; }

today=$(date +%F) M=$(date +%-m) D=$(date +%-d)
field() { echo "$1" | sed -n "s/^$2 //p"; }
notice_text() { field "$1" notice | cut -d'|' -f3-; }

fresh_install() {
    install_fresh "$install" "Template=Default"
    cp "$seams" "$install/Solvane.exe"
    : > "$install/Ostrel/holidays.cfg"  # no daily notice to join the alerts
}

start_app() {  # test clock, then any more environment assignments
    local clock=$1; shift
    ( cd "$install" && env SOLVANE_TEST_CLOCK="$clock" "$@" "$WINE" Solvane.exe ) >/dev/null 2>&1 &
    app_pid=$!
    read -r _ L T _ <<<"$(drive wait-calendar 60000)"
}

shot() { park_pointer; screenshot "$artifacts/alerts-$1.png"; }
next_notice_is() {  # what the check says, the notice's text: the next notice shows that text
    local shown
    shown=$(drive notice 150000 | head -1)
    check "$1: $(notice_text "$shown")" test "$(notice_text "$shown")" = "$2"
}

# --- an alert due while the program was not running ------------------------------------
fresh_install
python3 "$files" memos "$memos" "${today}T08:00" "晨会"
printf 'LastChecked=%s 07:50\r\n' "$today" > "$state"
start_app "$today 08:05:10"
shown=$(drive notice 30000 | head -1)
check "started at 08:05, the 08:00 alert missed while it was off is shown: $(notice_text "$shown")" \
    test "$(notice_text "$shown")" = "~~错过的提醒：~${M}月${D}日08:00到期：08:00 晨会~"
drive notice-click ok notice-gone 10000 >/dev/null
stop_app
check "the last minute checked is remembered for the next start ($(tr -d '\r' <"$state"))" \
    grep -q "^LastChecked=$today 08:0[5-9]" "$state"
start_app "$today 08:10:10"
check "started again, nothing is shown twice" drive no-notice 20000
stop_app

# --- the memo file locked at start-up, let go a minute later ----------------------------
fresh_install
python3 "$files" memos "$memos" "${today}T08:59" "开会" "${today}T09:01" "打电话"
"$WINE" "$driver" lock-file "$(windows_path "$memos")" sleep 600000 >"$work/lock.out" 2>/dev/null &
lock_pid=$!
check "the driver holds the memo file locked" eventually grep -q '^locked' "$work/lock.out"
clock_start=$SECONDS
start_app "$today 08:58:40" SOLVANE_TEST_FILE_RETRY_MS=3000
told=$(drive box 30000 ok)
check "the user is told once that memos and alerts wait for the file: ${told#*|}" \
    grep -q '备忘文件现在无法读取.*读到之前，月历上不显示备忘，也不会提醒' <<<"$told"
shot locked
# Let go once the 08:59 alert has fallen due and passed on the test clock.
left=$((100 - (SECONDS - clock_start)))
[ "$left" -gt 0 ] && sleep "$left"
kill -9 "$lock_pid" 2>/dev/null
wait "$lock_pid" 2>/dev/null
lock_pid=""
shown=$(drive notice 30000 | head -1)
check "once the file is read, the alert due meanwhile comes: $(notice_text "$shown")" \
    test "$(notice_text "$shown")" = "~~错过的提醒：~${M}月${D}日08:59到期：08:59 开会~"
drive notice-click ok notice-gone 10000 >/dev/null
dot=$("$cli" layout "$(date +%Y-%m)" --today "$today" --festivals "$install/Ostrel/holidays.cfg" --memos "$memos" \
    --ini "$install/Solvane.ini" --template Default 2>/dev/null | awk '$1 == "dot" { print $2; exit }')
shot_has_dot() { shot unlocked && differs alerts-locked alerts-unlocked "$dot" 10; }
check "and today's memo dot appears without a restart ($dot)" eval '[ -n "$dot" ] && eventually --within 30 shot_has_dot'
next_notice_is "the next alert comes in its minute as usual" "~~今天09:01：打电话~"
check "the box was shown once only" drive no-box 3000
stop_app

# --- a memo another program writes into the file while the program runs ----------------
# A sync client or a second copy on another machine: the file is read again
# within a minute, and the new memo alerts in its minute.
fresh_install
week_later=$(date -d "+7 days" +%F)
python3 "$files" memos "$memos" "${week_later}T08:00" "周会"
start_app "$today 10:00:05"
python3 "$files" memos "$memos" "${week_later}T08:00" "周会" "${today}T10:02" "取快递"
next_notice_is "a memo written into the file from outside for two minutes later alerts" "~~今天10:02：取快递~"
stop_app

# --- 5 000 memos, and a memo file beyond what the program reads ----------------------------
# A long-time user's file of 5 000 memos (about 100 MB) is read whole and
# alerts. A file beyond the limit alerts with the memos within it, and the
# user is told why the rest is missing rather than that it cannot be read now.
fresh_install
python3 "$root/tools/bench/write_reminders.py" "$memos" 4999
python3 "$files" add-memo "$memos" "${today}T11:01" "第五千条"
start_app "$today 11:00:35"
next_notice_is "of 5 000 memos the last one alerts in its minute" "~~今天11:01：第五千条~"
check "and nothing is said about the file" drive no-box 3000
stop_app
listed=$("$cli" memos --memos "$memos" 2>/dev/null | wc -l)
check "the command-line tool lists the 5 000 memos too ($listed lines with the titles)" test "$listed" = 5001

fresh_install
python3 "$files" memos "$memos" "${today}T11:31" "限内的备忘"
python3 -c 'import sys; open(sys.argv[1], "ab").write(b"\n" * (256 << 20))' "$memos"
python3 "$files" memos "$work/beyond.cfg" "${today}T11:31" "限外的备忘"
tail -n 1 "$work/beyond.cfg" | sed 's/^Item0=/Item1=/' >>"$memos"
start_app "$today 11:30:35"
told=$(drive box 60000 ok)
check "a memo file beyond the limit is named with its size and the limit: ${told#*|}" \
    grep -q '备忘文件太大（256\.[0-9] MB，超过了本程序能读的 256 MB）.*reminders.cfg' <<<"$told"
next_notice_is "and the memos within the limit still alert" "~~今天11:31：限内的备忘~"
stop_app
rm -f "$memos"
# --- 每个工作日 through the editor, its alert on a 班 Saturday, 稍后提醒 across a restart ---
# The 2026 National Day holiday of the shipped schedule: 休 1-7 October, 班
# on Saturday 10 October.
fresh_install
config="$install/Ostrel/Templates/Default/config.ini"
start_app "2026-10-09 08:00:05"
drive tray-menu menu-pick-in 管理节假日/备忘 添加备忘... dialog 添加 20000 set-text 1038 打卡 \
    set-text 1014 2026 set-text 1015 9 set-text 1016 28 set-text 1017 8 set-text 1018 30 \
    pick 1009 10分钟之前 pick 1010 每个工作日 click 1 dialog-gone 添加 10000 >/dev/null
listed=$(drive tray-menu menu-pick-in 管理节假日/备忘 备忘管理... dialog 备忘管理 20000 rows 1014 close \
    dialog-gone 备忘管理 5000)
check "the manager lists the memo as 每个工作日 with its alert 10分钟之前" \
    eval 'grep -q "	打卡	阳历	10分钟之前	无提醒	每个工作日	" <<<"$listed"'
stop_app
old_reader=$(python3 - "$memos" <<'PY'
import struct, sys
line = [l for l in open(sys.argv[1], encoding="ascii").read().splitlines() if l.startswith("Item0=")][0]
record = bytes.fromhex(line[6:6 + 2 * 10056])
weekday = struct.unpack_from("<H", record, 4)[0]
repeat, alert = struct.unpack_from("<ii", record, 40)
print(repeat, alert, hex(weekday & 0xFF00))
PY
)
check "stored as a daily memo (repetition 1) with the working-day mark and alert code 10 ($old_reader)" \
    test "$old_reader" = "1 10 0x200"

# Checked up to the start: the alerts of 9 October are not shown as missed.
printf 'LastChecked=2026-10-10 08:19\r\n' > "$state"
start_app "2026-10-10 08:19:45"
shown=$(drive notice 60000 | head -1)
check "on the 班 Saturday 10 October it alerts at 08:20: $(notice_text "$shown")" \
    test "$(notice_text "$shown")" = "~~今天08:30：打卡~"
snoozed=$(drive notice-click snooze list-menu | grep "^menu " | cut -f3 | tr '\n' ' ')
import -window root "$artifacts/alerts-snooze-menu.png" 2>/dev/null
drive list-menu menu-pick 5分钟 notice-gone 10000 >/dev/null
check "稍后提醒 offers 5分钟 to 明天 ($snoozed)" test "$snoozed" = "5分钟 10分钟 30分钟 1小时 明天 "
check "and the alert put off is kept in the state file" \
    eventually eval 'iconv -f GBK -t UTF-8 "$state" | grep -q "^Snoozed=2026-10-10 08:2[5-6]|2026-10-10 08:30|打卡"'
stop_app
start_app "2026-10-10 08:27:10"
shown=$(drive notice 30000 | head -1)
check "after a restart it comes back once its minute has passed: $(notice_text "$shown")" \
    test "$(notice_text "$shown")" = "~~稍后提醒：~今天08:30：打卡~"
drive notice-click ok notice-gone 10000 >/dev/null
check "and is no longer kept" eventually eval '! grep -aq "^Snoozed=" "$state"'
stop_app

printf 'LastChecked=2026-10-05 08:19\r\n' > "$state"
start_app "2026-10-05 08:19:45"
check "on Monday 5 October, a 休 day, nothing alerts" drive no-notice 45000
# The day menu lists the memo of 9 October, a Friday, to delete it.
cells() { python3 "$root/scripts/tests.d/month_cells.py" "$config" 2026 10 centre "$1"; }
opened=$(drive right-click $(cells 9) list-menu menu-open-in "08:30 打卡" | tr '\t\n' ' |')
import -window root "$artifacts/alerts-day-menu-memo.png" 2>/dev/null
drive menu-close >/dev/null
check "the memo's sub-menu offers 编辑备忘... and 删除备忘... ($opened)" \
    eval 'grep -q "submenu .*编辑备忘\.\.\..*|submenu .*删除备忘\.\.\." <<<"$opened"'
menu=$(drive right-click $(cells 9) list-menu menu-pick-in "08:30 打卡" 删除备忘... box 20000 yes | tr '\t\n' ' |')
check "the day menu lists the day's memo to edit or delete, and asks before deleting ($menu)" \
    eval 'grep -q "menu popup 08:30 打卡|.*box Tavro日历|删除这条备忘吗？~打卡" <<<"$menu"'
check "the memo file then holds no memo" eventually eval '! grep -q "^Item0=" "$memos" 2>/dev/null'
stop_app

e2e_summary "alerts e2e"
