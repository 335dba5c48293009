#!/usr/bin/env bash
# What two saves that failed after the old file had gone leave behind: no
# holidays.cfg (no reminders.cfg) and two temporary files beside it, each a
# whole list of the user's. The program, started as a user does, puts the
# newest back, keeps the other as a dated copy and says so, lays no
# first-run copy over the user's list, and at the next start deletes nothing.
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-leftovers-e2e

install="$build/e2e/leftovers-install"
files="$root/scripts/tests.d/notices_e2e_files.py"
festivals="$install/Ostrel/holidays.cfg"
memos="$install/Reminders/reminders.cfg"

start_app() {  # leaves the message boxes shown before the month window in $boxes
    ( cd "$install" && "$WINE" Solvane.exe ) >/dev/null 2>&1 &
    app_pid=$!
}
festival_names() { "$cli" festivals --festivals "$1" 2>/dev/null; }
memo_texts() { "$cli" memos --memos "$1" 2>/dev/null; }
tell_box() {  # the next message box, shown before the month window, answered OK; line breaks as ~
    drive message-box 30000 | tr '\n' '~'
}
leftovers() { ls "$install/Ostrel" "$install/Reminders" | grep -c '\.tmp[0-9]*-[0-9]*$'; }
dated_copy() { ls "$1".????????-??????.bak 2>/dev/null | head -1; }

install_fresh "$install" "Template=Default"
# As a package lays it out: the shipped list only as a first-run copy.
mkdir -p "$install/Ostrel/FirstRun"
mv "$festivals" "$install/Ostrel/FirstRun/holidays.cfg"
python3 "$files" festivals "$festivals.tmp111-0" "YL,JR,3-8,我的旧节日,,,,1,1,1" "YL,JR,6-18,我的新节日,,,,1,1,1"
python3 "$files" festivals "$festivals.tmp222-1" "YL,JR,3-8,我的旧节日,,,,1,1,1"
python3 "$files" memos "$memos.tmp333-0" "2027-03-08T09:00" "旧备忘"
python3 "$files" memos "$memos.tmp444-1" "2027-03-08T09:00" "旧备忘" "2027-06-18T09:00" "新备忘"
# The names say nothing of the order: the one written last is the newest.
touch -d '2026-12-01 09:00' "$festivals.tmp222-1" "$memos.tmp333-0"
touch -d '2026-12-01 10:05' "$festivals.tmp111-0" "$memos.tmp444-1"
newest_festivals=$(festival_names "$festivals.tmp111-0")
newest_memos=$(memo_texts "$memos.tmp444-1")
older_festivals=$(festival_names "$festivals.tmp222-1")
older_memos=$(memo_texts "$memos.tmp333-0")

# --- the first start ---------------------------------------------------------------------
start_app
told_festivals=$(tell_box)
check "the first start says the festival file was restored from what the failed save left ($told_festivals)" \
    eval 'echo "$told_festivals" | grep -q "^message-box Tavro日历|上次保存没有完成，下面的文件不见了：~.*holidays.cfg~~已用保存时留下的临时文件把它恢复了"'
check "and that the other leftover is kept as a dated copy" \
    eval 'echo "$told_festivals" | grep -q "其余 1 个临时文件已改名保留为带日期的备份"'
told_memos=$(tell_box)
check "then the same for the memo file ($told_memos)" \
    eval 'echo "$told_memos" | grep -q "^message-box Tavro日历|上次保存没有完成，下面的文件不见了：~.*reminders.cfg~~已用"'
shown=$(drive wait-calendar 30000)
check "after OK the month window shows ($shown)" eval 'echo "$shown" | grep -q " visible$"'
check "holidays.cfg holds the newest leftover, not the shipped first-run list" \
    test "$(festival_names "$festivals")" = "$newest_festivals"
check "which has the festival only the newest one had" eval 'festival_names "$festivals" | grep -q 我的新节日'
check "the other leftover is kept as holidays.cfg.<date>-<time>.bak, as it was" \
    test "$(festival_names "$(dated_copy "$festivals")")" = "$older_festivals"
check "reminders.cfg holds the newest memo leftover" test "$(memo_texts "$memos")" = "$newest_memos"
check "the older memo leftover is kept as a dated copy" test "$(memo_texts "$(dated_copy "$memos")")" = "$older_memos"
check "no leftover is left under its temporary name" test "$(leftovers)" = 0
stop_app

# --- the second start --------------------------------------------------------------------
kept=$(md5sum "$festivals" "$memos" "$(dated_copy "$festivals")" "$(dated_copy "$memos")")
start_app
shown=$(drive wait-calendar 30000)
check "the second start asks nothing and shows the month ($shown)" \
    eval 'echo "$shown" | grep -q " visible$" && drive no-box 2000'
check "and deletes nothing the user needs: the files and both dated copies are as they were" \
    test "$(md5sum "$festivals" "$memos" "$(dated_copy "$festivals")" "$(dated_copy "$memos")")" = "$kept"
stop_app

# --- a leftover beside a file that is there ----------------------------------------------
python3 "$files" festivals "$festivals.tmp555-2" "YL,JR,9-9,没存进去的节日,,,,1,1,1"
cp "$festivals" "$festivals.tmp556-3"  # the same bytes: nothing in it is new
before=$(ls "$festivals".*.bak | wc -l)
start_app
told=$(tell_box)
check "a leftover that differs from the file there is told about ($told)" \
    eval 'echo "$told" | grep -q "^message-box Tavro日历|上次保存下面的文件时没有完成：~.*holidays.cfg~~文件仍是原来的内容"'
drive wait-calendar 30000 >/dev/null
check "and kept as one more dated copy, the one like the file removed" \
    eval 'test "$(ls "$festivals".*.bak | wc -l)" = $((before + 1)) && test "$(leftovers)" = 0'
check "holidays.cfg is left as it was" test "$(festival_names "$festivals")" = "$newest_festivals"
stop_app

e2e_summary "leftovers e2e"
