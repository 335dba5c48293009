#!/usr/bin/env bash
# End-to-end tests of the memo manager and editor, the settings dialog and the
# one-dialog-at-a-time rule, on the real Solvane.exe under 64-bit Wine, driven
# by solvane-e2e.exe like a user. Screenshots go to build/win64/artifacts/e2e/.
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-memo-e2e

install="$build/e2e/install-memo"

has() { grep -qxF -- "$2" <<<"$1"; }     # output, exact line
lacks() { ! grep -qF -- "$2" <<<"$1"; }  # output, text nowhere

start_app() {
    ( cd "$install" && "$WINE" Solvane.exe ) >/dev/null 2>&1 &
    app_pid=$!
    read -r _ L T _ <<<"$(drive wait-calendar 60000)"
}

shot() {
    park_pointer
    screenshot "$artifacts/$1.png"
}

shot_until() {  # name, then a check of that screenshot; shot again until it holds, for up to 30 s
    local name=$1; shift
    shot_holds() { shot "$name"; "$@"; }
    eventually --within 30 shot_holds "$@"
}

pixel() {  # "R G B" of a screenshot at window point x, y
    local x=$((L + $2)) y=$((T + $3))
    convert "$artifacts/$1.png" -format "%[fx:int(255*p{$x,$y}.r)] %[fx:int(255*p{$x,$y}.g)] %[fx:int(255*p{$x,$y}.b)]" info:
}

ring_in() {  # screenshot, box "l,t,r,b": some pixel of the box is strongly red
    local l t r b
    IFS=, read -r l t r b <<<"$2"
    convert "$artifacts/$1.png" -crop "$((r - l))x$((b - t))+$((L + l))+$((T + t))" txt:- |
        awk -F'[(),]' 'NR > 1 && $3 > 170 && $4 < 120 && $5 < 110 { found = 1 } END { exit !found }'
}

today=$(date +%F) Y=$(date +%Y) M=$(date +%-m) D=$(date +%-d)
layout() {  # what the month window should draw now, from the files the program wrote
    "$cli" layout "$Y-$(date +%m)" --today "$today" --db "$install/Ostrel/Database/china.mdb" \
        --festivals "$install/Ostrel/holidays.cfg" --memos "$install/Reminders/reminders.cfg" \
        --ini "$install/Solvane.ini" "$@" 2>/dev/null
}
box_of() { awk -v what="$1" '$1 " " $2 == what { print $3; exit }'; }  # "text today" -> its box
centre_of() { local l t r b; IFS=, read -r l t r b <<<"$1"; echo "$(((l + r) / 2)) $(((t + b) / 2))"; }
memos() { "$cli" memos --memos "$install/Reminders/reminders.cfg" 2>/dev/null; }

rm -rf "$install"
cp -r "$build/dist" "$install"
rm -f "$install/Reminders/"*
printf '%s\r\n' "[Ostrel]" "Template=Default" "SystemTrayTemplate=RedPage" "ShowReminderOnForenotice=1" \
    > "$install/Solvane.ini"
start_app
shot memo-before

# --- the tray menu has the dialogs --------------------------------------------
menu=$(drive tray-menu menu-close)
check "the tray menu offers the memo and festival sub-menu and 设置..." \
    eval 'has "$menu" "menu popup	管理节假日/备忘" && has "$menu" "menu item	2	设置..."'

# --- a weekly memo from the day menu of today ----------------------------------
today_cell=$(layout --template Default | box_of "text today")
read -r cx cy <<<"$(centre_of "$today_cell")"
drive right-click "$cx" "$cy" list-menu menu-pick 添加阳历备忘... >/dev/null
editor=$(drive dialog 添加 20000 text-of 1014 text-of 1015 text-of 1016 text-of 1017 text-of 1018 state 1039 state 1019)
check "添加阳历备忘... opens the editor captioned 添加 on the clicked day at 00:00" \
    test "$(echo "$editor" | sed -n 2,6p | cut -d' ' -f3 | tr '\n' ' ')" = "$Y $M $D 0 0 "
check "with 日 shown and the end of repetition greyed out" \
    eval 'has "$editor" "state 1039 enabled unchecked visible" && has "$editor" "state 1019 disabled unchecked visible"'
check "the manager's list stays out of sight in add mode" drive no-dialog 备忘管理 300

refused=$(drive dialog 添加 5000 click 1 box 10000 ok dialog 添加 5000)
check "an empty memo is refused: 尚未输入备忘内容。, the editor stays open" \
    has "$refused" "box Tavro日历|尚未输入备忘内容。"
days_in_feb=$(date -d "$Y-03-01 -1 day" +%-d)
refused=$(drive dialog 添加 5000 set-text 1038 每周例会 set-text 1015 2 set-text 1016 30 click 1 box 10000 ok \
    dialog 添加 5000)
check "30 February is refused with a warning naming the month's length" \
    has "$refused" "box Tavro日历|开始时间的日期不存在：${Y}年2月只有${days_in_feb}天。"
refused=$(drive dialog 添加 5000 set-text 1015 "$M" set-text 1016 "$D" set-text 1017 24 click 1 box 10000 ok \
    dialog 添加 5000)
check "hour 24 is refused" has "$refused" "box Tavro日历|开始时间的小时应在0到23之间。"
refused=$(drive dialog 添加 5000 set-text 1017 8 check 1004 1 set-text 1021 32 click 1 box 10000 ok dialog 添加 5000)
check "an end of repetition on day 32 is refused once it is in force" \
    eval 'grep -q "box Tavro日历|结束重复时间的日期" <<<"$refused"'
long=$(printf '备%.0s' $(seq 5000))
refused=$(drive dialog 添加 5000 set-text 1038 "$long" click 1 box 10000 ok dialog 添加 5000)
check "a memo of 10 000 GBK bytes is refused, not cut" \
    eval 'grep -q "box Tavro日历|备忘内容太长：最多只能保存9999个字节（约4999个汉字），现在有10000个字节。" <<<"$refused"'
drive dialog 添加 5000 set-text 1038 每周例会 check 1004 0 pick 1010 每周 pick 1009 无提醒 click 1 \
    dialog-gone 添加 10000 >/dev/null
check "confirming saves at once: the memo file holds the weekly memo" \
    eventually eval 'memos | grep -q "^每周例会	阳历	无提醒	无提醒	每周"'
expected=$(layout --template Default)
dot=$(echo "$expected" | awk '$1 == "dot" { print $2; exit }')
line=$(echo "$expected" | awk '$1 " " $2 == "text list" { box = $3; $1 = $2 = $3 = ""; sub(/^ +/, ""); print box, $0; exit }')
check "the month window draws the memo's dot on today ($dot)" \
    eval '[ -n "$dot" ] && shot_until memo-after differs memo-before memo-after "$dot" 10'
# Today's festivals, if any, follow the memo on the same line.
check "and its forenotice line: ${line#* }" \
    eval '[[ "${line#* }" == 今天「08:00\ 每周例会」* || "${line#* }" == 今天「08:00\ 每周例会，* ]] &&
        differs memo-before memo-after "${line%% *}"'

# --- the manager: cancel with and without changes ---------------------------------
listed=$(drive tray-menu menu-pick-in 管理节假日/备忘 备忘管理... dialog 备忘管理 20000 rows 1014)
check "备忘管理... lists the memo with its alert, category and start time" \
    has "$listed" "row 0	每周例会	阳历	无提醒	无提醒	每周	无分类	${Y}年$(date +%m)月$(date +%d)日08点00分	$((Y + 1))年$(date +%m)月$(date +%d)日00点00分"
check "Edit without a selection asks for one" \
    eval 'drive dialog 备忘管理 5000 click 4 box 10000 ok | grep -qx "box Tavro日历|请先在下面的列表中选择一个项。"'
sizes=$(drive dialog 备忘管理 5000 size resize -80 -80 size resize 120 60 size)
check "the manager cannot be made smaller than it opens, only larger" \
    test "$(echo "$sizes" | sed -n 2p)" = "$(echo "$sizes" | sed -n 3p)" -a "$(echo "$sizes" | sed -n 3p)" != "$(echo "$sizes" | sed -n 4p)"
check "while it is open the tray menu does not open" eval '! drive tray-menu'
drive right-click "$cx" "$cy" list-menu menu-pick 添加阳历备忘... >/dev/null
check "nor does the day menu open a second dialog" drive no-dialog 添加 2000
quiet=$(drive dialog 备忘管理 5000 click 1015 dialog 添加 10000 click 2 dialog-gone 添加 5000 \
    dialog 备忘管理 5000 close no-box 1500 dialog-gone 备忘管理 5000)
check "closing after only cancelling the editor asks nothing" has "$quiet" "no box"
asked=$(drive tray-menu menu-pick-in 管理节假日/备忘 备忘管理... dialog 备忘管理 20000 click 1015 dialog 添加 10000 \
    set-text 1038 临时 click 1 dialog-gone 添加 5000 dialog 备忘管理 5000 rows 1014 close box 10000 cancel \
    dialog 备忘管理 5000 rows 1014 close box 10000 no dialog-gone 备忘管理 5000)
check "after an add, closing asks 已经修改了备忘，是否保存？ captioned 请确认" has "$asked" "box 请确认|已经修改了备忘，是否保存？"
check "取消 there keeps the manager open with the new memo" eval 'test "$(grep -c "	临时	" <<<"$asked")" = 2'
check "and 否 discards it" eval 'has "$asked" "rows 2" && ! memos | grep -q 临时'

# --- the end of the Windows session ------------------------------------------------------
cancelled=$(drive cancel-session | head -1)
check "with nothing unsaved the program agrees to a log-off ($cancelled)" test "$cancelled" = "query-end-session allowed"
check "and keeps running when another program cancels it" drive wait-calendar 3000
held=$(drive tray-menu menu-pick-in 管理节假日/备忘 备忘管理... dialog 备忘管理 20000 click 1015 dialog 添加 10000 \
    set-text 1038 未保存 click 1 dialog-gone 添加 5000 cancel-session | grep query-end-session)
check "a log-off while the manager holds an unsaved memo is asked to wait ($held)" \
    test "$held" = "query-end-session refused"
check "and once it is cancelled the manager is still open with the memo listed" \
    eval 'drive wait-calendar 3000 >/dev/null && drive dialog 备忘管理 5000 rows 1014 | grep -q "	未保存	"'
drive dialog 备忘管理 5000 close box 10000 no dialog-gone 备忘管理 5000 >/dev/null

# --- a memo file that cannot be written ------------------------------------------------
# The folder goes away while the editor is open (a removed drive, say).
drive tray-menu menu-pick-in 管理节假日/备忘 添加备忘... dialog 添加 20000 set-text 1038 不会丢失 pick 1009 无提醒 >/dev/null
mv "$install/Reminders" "$install/Reminders.away"
failed_save=$(drive dialog 添加 5000 click 1 box 20000 ok dialog 备忘管理 10000 rows 1014)
check "a failed save is reported instead of passing silently" \
    eval 'grep -q "^box Tavro日历|无法保存备忘文件：.*你的修改还没有保存" <<<"$failed_save"'
check "and the manager stays open with the new memo listed after the others" \
    eval 'grep -q "^row 0	每周例会" <<<"$failed_save" && grep -q "^row 1	不会丢失" <<<"$failed_save"'
mv "$install/Reminders.away" "$install/Reminders"
drive dialog 备忘管理 5000 click 1 dialog-gone 备忘管理 10000 >/dev/null
check "saving again once the folder is back keeps both memos" \
    eventually eval 'memos | grep -q 每周例会 && memos | grep -q 不会丢失'

# --- a memo file that cannot be read --------------------------------------------------
# Locked by another program while the manager opens, free again when the new
# memo is confirmed: the manager's list lacks the file's memos, so the save
# offers to read the file again; declined, nothing is written and the typed
# memo stays listed; accepted, it joins every memo the file held.
memo_file="$install/Reminders/reminders.cfg"
kept=$(md5sum < "$memo_file")
unread=$(drive lock-file "Z:${memo_file//\//\\}" tray-menu menu-pick-in 管理节假日/备忘 添加备忘... dialog 添加 20000 \
    unlock-file set-text 1038 读不出 pick 1009 无提醒 click 1 box 20000 no dialog 备忘管理 10000 rows 1014)
check "a quick add over a memo file that could not be read offers to read it again instead of saving" \
    grep -q "^box Tavro日历|打开备忘管理时没能读出备忘文件" <<<"$unread"
check "declined, every memo the file held is still there" test "$(md5sum < "$memo_file")" = "$kept"
check "the manager stays open with the new memo" grep -q "读不出" <<<"$unread"
drive dialog 备忘管理 5000 click 1 box 10000 yes >/dev/null
# Had the file changed between the read and the save, a copy would be kept
# first and named in a message: answered if it comes.
drive box 3000 ok >/dev/null
drive dialog-gone 备忘管理 10000 >/dev/null
check "saving again, read again, adds the new memo to the file's own" \
    eventually eval 'memos | grep -q 每周例会 && memos | grep -q 不会丢失 && memos | grep -q 读不出'

# --- a memo file Notepad saved as "Unicode" -------------------------------------------
memo_count() { memos | tail -n +2 | wc -l; }  # the first line holds the column titles
before_count=$(memo_count)
{ printf '\xff\xfe'; iconv -f GBK -t UTF-16LE < "$memo_file"; } > "$memo_file.u16" && mv "$memo_file.u16" "$memo_file"
unicode_before=$(md5sum < "$memo_file")
quick=$(drive tray-menu menu-pick-in 管理节假日/备忘 添加备忘... dialog 添加 20000 set-text 1038 快速添加 \
    pick 1009 无提醒 click 1 box 20000 ok dialog-gone 添加 10000)
check "a quick add over a UTF-16 memo file says the file was kept and why" \
    eval 'grep -q "^box Tavro日历|备忘已保存。.*原来的文件是 UTF-16 编码" <<<"$quick"'
check "the file keeps every memo and gains the new one, written as GBK" \
    eventually eval 'memos | grep -q 快速添加 && memos | grep -q 每周例会 && memos | grep -q 不会丢失 && memos | grep -q 读不出'
unicode_copy=$(ls -t "$memo_file".*.bak 2>/dev/null | head -1)
check "and the dated copy is the Notepad file as it was" test "$(md5sum < "$unicode_copy")" = "$unicode_before"
listed=$(drive tray-menu menu-pick-in 管理节假日/备忘 备忘管理... dialog 备忘管理 20000 rows 1014 close dialog-gone 备忘管理 5000)
check "the manager lists all of them" test "$(grep -c "	\(每周例会\|不会丢失\|读不出\|快速添加\)	" <<<"$listed")" = 4

# --- a memo file with its section pasted twice (a sync conflict) ------------------------
cat "$memo_file" "$memo_file" > "$memo_file.twice" && mv "$memo_file.twice" "$memo_file"
twice=$(drive tray-menu menu-pick-in 管理节假日/备忘 备忘管理... dialog 备忘管理 20000 rows 1014 click 1 box 20000 ok \
    dialog-gone 备忘管理 5000)
check "a doubled [ITEMS] section lists every memo of both copies" \
    test "$(grep -c "^row " <<<"$twice")" = "$((2 * (before_count + 1)))"
check "saving it names the dated copy and says the memos were written twice" \
    eval 'grep -q "^box Tavro日历|备忘已保存。.*写了两遍.*备份为" <<<"$twice"'
check "the copy is kept beside the file" test "$(ls "$memo_file".*.bak | wc -l)" = 2
check "and the saved file holds them all in one section" \
    eval 'test "$(memo_count)" = "$((2 * (before_count + 1)))" && test "$(grep -c "^\[ITEMS\]" "$memo_file")" = 1'

# --- a memo another program adds while the manager is open ---------------------------
# A sync client writes a memo into the file while the user deletes a row; a
# minute passes meanwhile, in which the program reads the changed file again
# for the month and the alerts, and the manager keeps the user's list. The
# save asks first: 取消 stays, 否 overwrites the file and keeps the other
# version as a copy, 是 reads the file again.
synced() { python3 "$root/scripts/tests.d/notices_e2e_files.py" add-memo "$memo_file" "$1" "$2"; }
row_count() { grep -c "^row " <<<"$1"; }
opened=$(drive tray-menu menu-pick-in 管理节假日/备忘 备忘管理... dialog 备忘管理 20000 rows 1014)
synced "$((Y + 1))-01-05T09:00" 同步甲
sleep 65
asked=$(drive dialog 备忘管理 5000 select-row 0 click 3 click 1 box 10000 cancel dialog 备忘管理 5000 rows 1014)
check "saving over a memo another program added asks first: ${asked#*|}" \
    grep -q "^box Tavro日历|备忘文件在打开备忘管理后已被其他程序改动：~.*「是」：重新读取这个文件，放弃在这里所做的修改。~「否」：用这里的列表覆盖它，另一版本先另存为副本。~「取消」" <<<"$asked"
check "取消 writes nothing, the manager's list still without the deleted memo" \
    eval 'memos | grep -q 同步甲 && test "$(row_count "$asked")" = "$(($(row_count "$opened") - 1))"'
overwritten=$(drive dialog 备忘管理 5000 click 1 box 10000 no box 10000 ok dialog-gone 备忘管理 10000)
check "否 writes the manager's list over the file" \
    eval '! memos | grep -q 同步甲 && test "$(memo_count)" = "$(($(row_count "$opened") - 1))"'
other_copy=$(ls -t "$memo_file".*.bak | head -1)
check "keeping the other program's version as a copy, named in a message" \
    eval 'grep -q "^box Tavro日历|备忘已保存。.*备忘文件在打开备忘管理后被其他程序改动过。.*保存前已将原来的文件备份为：~.*$(basename "$other_copy")" <<<"$overwritten" &&
          "$cli" memos --memos "$other_copy" 2>/dev/null | grep -q 同步甲'
opened=$(drive tray-menu menu-pick-in 管理节假日/备忘 备忘管理... dialog 备忘管理 20000 rows 1014)
synced "$((Y + 1))-01-06T09:00" 同步乙
kept=$(md5sum < "$memo_file")
reread=$(drive dialog 备忘管理 5000 select-row 0 click 3 click 1 box 10000 yes dialog 备忘管理 5000 rows 1014 \
    close no-box 1500 dialog-gone 备忘管理 5000)
check "是 reads the file again: the other program's memo listed, the deletion dropped, nothing written" \
    eval 'grep -q "	同步乙	" <<<"$reread" && test "$(row_count "$reread")" = "$(($(row_count "$opened") + 1))" &&
          test "$(md5sum < "$memo_file")" = "$kept"'

# --- settings ---------------------------------------------------------------------------
ini_before=$(md5sum < "$install/Solvane.ini")
opened=$(drive tray-menu menu-pick 设置... dialog 设置 20000 state 1021 text-of 1008 text-of 1014 text-of 1015 \
    check 1019 0 state 1020 state 1021)
check "设置... shows 提醒节气 ticked for a missing key and the template in use" \
    eval 'has "$opened" "state 1021 enabled checked visible" && has "$opened" "text 1008 经典"'
check "with nothing chosen for a missing first weekday or forenotice horizon" \
    eval 'has "$opened" "text 1014 " && has "$opened" "text 1015 "'
check "unticking the notification window greys out its sound and solar-term boxes, keeping their ticks" \
    eval 'has "$opened" "state 1020 disabled checked visible" && has "$opened" "state 1021 disabled checked visible"'
check "while it is open the tray menu does not open" eval '! drive tray-menu'
drive dialog 设置 5000 close dialog-gone 设置 5000 >/dev/null
check "cancelling writes nothing" test "$(md5sum < "$install/Solvane.ini")" = "$ini_before"

shot settings-before
drive tray-menu menu-pick 设置... dialog 设置 20000 pick 1014 星期一 click 1 dialog-gone 设置 10000 >/dev/null
monday_today=$(layout --template Default --monday | box_of "text today")
check "星期一 in the first column takes effect at once: today's red number moves to $monday_today" \
    eval '[ "$monday_today" != "$today_cell" ] && shot_until monday-first ring_in monday-first "$monday_today"'
check "and the keys are written in the dialog's order" test "$(grep -av '^\[' "$install/Solvane.ini" | cut -d= -f1 | tr -d '\r' | tr '\n' ' ')" = \
    "Template SystemTrayTemplate ShowReminderOnForenotice ShowJieQiOnRemindWindow PlaySoundOnNotifyWindow ShowNotifyWindowOnScreen ShowJieQiOnForenotice ShowBalloonTip ShowHuangLiOnBalloonToolTip WindowStyle ShowToday LockLocation FirstColWeekDay ListForDays ShowPublicHolidays TrayClickShowsCalendar FollowSystemDarkMode SyncServer SyncUser SyncCalendar SyncFestivals SyncBirthdays SyncAnniversaries SyncReminders SyncYears "
check "with the first weekday and the unchosen horizon as their stored values" \
    eval 'grep -qx "FirstColWeekDay=1" <(tr -d "\r" < "$install/Solvane.ini") && grep -qx "ListForDays=" <(tr -d "\r" < "$install/Solvane.ini")'

read -r hx hy <<<"$(centre_of "$monday_today")"
balloon_on=$(drive hover "$hx" "$hy" balloon 4000)
drive tray-menu menu-pick 设置... dialog 设置 20000 pick 1008 夜色 pick 1015 仅显示当天 check 1012 0 click 1 \
    dialog-gone 设置 10000 >/dev/null
dark_header() { awk -v c="$(pixel night 160 14)" 'BEGIN { split(c, p, " "); exit !(p[1] < 110 && p[3] > p[1]) }'; }
check "the template 夜色 (Night) takes effect at once: a dark header" shot_until night dark_header
lines=$(layout --template Night --monday | grep -c '^text list')
check "仅显示当天 leaves one forenotice line" test "$lines" = 1
check "balloon off: resting on a day shows no balloon (before: $balloon_on)" \
    eval '[ "$(drive hover "$hx" "$hy" balloon 4000)" = "no balloon" ]'
ini=$(tr -d '\r' < "$install/Solvane.ini")
check "Template, ListForDays and ShowBalloonTip are stored" \
    eval 'has "$ini" "Template=Night" && has "$ini" "ListForDays=0" && has "$ini" "ShowBalloonTip=0"'

# --- 开机自动运行 over a settings file that cannot be saved ---------------------------------
# Locked by another program once the dialog is open, as a full disk would
# refuse the save: the Run value changes only together with saved settings.
# -a: the value's name is GBK, which grep would otherwise take for binary.
run_entries() { "$WINE" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' 2>/dev/null | tr -d '\r' | grep -ai 'Solvane\.exe'; }
run_before=$(run_entries)
ini_before=$(md5sum < "$install/Solvane.ini")
refused=$(drive tray-menu menu-pick 设置... dialog 设置 20000 lock-file "$(windows_path "$install/Solvane.ini")" \
    check 1023 1 click 1 box 20000 ok dialog 设置 5000 click 2 dialog-gone 设置 10000 unlock-file)
check "ticking 开机自动运行 over a settings file that cannot be saved says the settings were not saved" \
    eval 'grep -q "^box Tavro日历|无法保存设置到文件：.*这些设置还没有保存" <<<"$refused"'
check "and after 取消 the Run key is as it was (${run_before:-no entry})" test "$(run_entries)" = "$run_before"
check "as is the settings file" test "$(md5sum < "$install/Solvane.ini")" = "$ini_before"
drive tray-menu menu-pick 设置... dialog 设置 20000 check 1023 1 click 1 dialog-gone 设置 10000 >/dev/null
check "ticked and saved, the Run key starts the program" eventually eval '[ -n "$(run_entries)" ]'
drive tray-menu menu-pick 设置... dialog 设置 20000 check 1023 0 click 1 dialog-gone 设置 10000 >/dev/null
check "unticked and saved, the entry is gone again" eventually eval '[ -z "$(run_entries)" ]'

stop_app
e2e_summary "memo and settings e2e"
