#!/usr/bin/env bash
# The 32-bit release as its users get it, inside the 32-bit guest (32-bit
# Wine as Chinese Windows): the x86 zip unpacked and the x86 installer run
# silently each start the program, which shows its month window and tray icon
# and ends on 退出; the 32-bit Windows-layer tests pass; and through the
# driver built for i686, the balloon of a day, the 黄历 page, a memo added in
# the memo manager with its alert notice and sound, and a damaged skin's
# message. Screenshots go to out/ (the host keeps them with the others).
#
# Run as the job of scripts/tests.d/release32_e2e.sh, from the job's folder,
# which holds scripts/ (e2e-lib.sh, wine-env.sh, wine.sh), packages/ (the x86
# zip and installer), build/e2e/ (the driver and its hook), build/tests/
# (win_tests.exe), data/ and job.env (paths and the day's expectations,
# written on the host). It also runs on the host with the x64 packages, as a
# check of the script itself.
job=$(cd "$(dirname "$0")" && pwd)
. "$job/job.env"
export SOLVANE_E2E_BUILD="$job/build" SOLVANE_E2E_ARTIFACTS="$job/out"
. "$job/scripts/e2e-lib.sh"
mkdir -p "$artifacts"
# The guest's prefix is made once with its image; the recipe it is marked
# with is this Wine's, so that every prefix here is copied from it.
if [ -n "${SOLVANE_WINE_TEMPLATE:-}" ]; then
    . "$job/scripts/wine-env.sh"
    wine_recipe >"$SOLVANE_WINE_TEMPLATE/.solvane-ready"
fi
e2e_begin wine-release
product="Tavro日历"

app_log=""
start_app() {  # folder: the program from there; its month window's line in $shown
    app_log="$work/app-$((++apps)).log"
    # winmm's trace tells each sound the program plays.
    ( cd "$1" && WINEDEBUG=-all,trace+winmm "$WINE" Solvane.exe ) >/dev/null 2>"$app_log" &
    app_pid=$!
    shown=$(drive wait-calendar 180000)
    read -r _ L T R B state <<<"$shown"
}
apps=0

month_window_checks() {  # what: the month window, its caption and the tray icon, a screenshot
    check "$1: the month window shows ($shown)" test "${state:-}" = visible
    local month
    month=$(drive shown-month | sed -n 's/^month //p')
    check "$1: captioned with this month, $month" test "$month" = "$this_month"
    check "$1: with its tray icon" test "$(drive tray)" = "tray present"
    park_pointer
    screenshot "$artifacts/$2.png"
}

# --- the Windows-layer tests -------------------------------------------------------
if [ -f "$job/build/tests/win_tests.exe" ]; then
    mkdir -p "$source_dir" "$binary_dir/artifacts"
    [ -e "$source_dir/data" ] || cp -r "$job/data" "$source_dir/data"
    "$WINE" "$job/build/tests/win_tests.exe" --gtest_brief=1 >"$work/win_tests.out" 2>&1
    tests_status=$?
    # A failure's own lines (file, line, what was expected), then the summary.
    tr -d '\r' <"$work/win_tests.out" | grep -E -A6 '[Ff]ailure$|^\[  (FAILED|PASSED) ' | head -60 | sed 's/^/        /'
    check "the Windows-layer tests pass ($(tr -d '\r' <"$work/win_tests.out" | grep -m1 -o '[0-9]* tests\? from [0-9]* test suites\? ran'))" \
        test "$tests_status" = 0
fi

# --- the zip ---------------------------------------------------------------------
unzip -q "$job/packages/$zip_name" -d "$work/unzipped"
portable="$work/unzipped/$product"
start_app "$portable"
month_window_checks "unpacked zip" release-zip

park_pointer
balloon=$(drive hover $cell_x $cell_y balloon 30000)
check "resting on day $day shows its balloon ($balloon)" test "$balloon" = "balloon shown"
screenshot "$artifacts/release-balloon.png"
park_pointer

page=$(drive right-click $cell_x $cell_y list-menu menu-pick 查看黄历... dialog 黄历 60000 read)
check "查看黄历... opens the day's 黄历 page ($day_title)" grep -qF "	1430	Static	$day_title" <<<"$page"
check "which leads with 宜 and 忌" grep -q "	宜" <<<"$page"
screenshot "$artifacts/release-almanac-page.png"
drive dialog 黄历 5000 press-escape dialog-gone 黄历 10000 >/dev/null

# A memo two minutes ahead, added in the memo manager, alerting when it is due.
due=$(date -d "+2 minutes" "+%H %M %F")
read -r hour minute due_day <<<"$due"
if [ "$due_day" != "$(date +%F)" ]; then
    skip "the memo alert" "midnight comes first"
else
    added=$(drive tray-menu menu-pick-in 管理节假日/备忘 备忘管理... dialog 备忘管理 30000 click 1015 dialog 添加 20000 \
        set-text 1038 三十二位提醒 set-text 1017 "$((10#$hour))" set-text 1018 "$((10#$minute))" pick 1009 事件发生时 \
        click 1 dialog-gone 添加 20000 dialog 备忘管理 10000 rows 1014)
    check "the memo manager lists the memo added ($(grep -m1 三十二位提醒 <<<"$added" | cut -f2-4))" \
        grep -q "三十二位提醒	阳历	事件发生时" <<<"$added"
    drive dialog 备忘管理 5000 click 1 dialog-gone 备忘管理 20000 >/dev/null
    # A record is its structure's bytes in hexadecimal: the text's GBK bytes among them.
    text_hex=$(printf 三十二位提醒 | iconv -f UTF-8 -t GBK | od -An -tx1 | tr -d ' \n')
    saved() { grep -qi "^Item0=.*$text_hex" "$portable/Reminders/reminders.cfg"; }
    check "and saved it in the memo file" eventually --within 30 saved
    notice=$(drive notice 240000 | head -1)
    screenshot "$artifacts/release-notice.png"
    check "at $hour:$minute its alert notice comes (${notice#*|})" grep -q "今天$hour:$minute：三十二位提醒" <<<"$notice"
    # The sound is played from memory: a PlaySound call with a sound, not the
    # call without one that stops playback.
    check "with its sound played" eventually --within 30 grep -q "MULTIMEDIA_PlaySound pszSound='0*[1-9A-Fa-f]" "$app_log"
    drive notice-click ok notice-gone 20000 >/dev/null
fi
check "退出 ends the program" stop_app

# --- a damaged skin --------------------------------------------------------------
printf '%s\r\n' "[Ostrel]" "Template=Night" >"$portable/Solvane.ini"
head -c 20000000 /dev/zero | tr '\0' ';' >>"$portable/Ostrel/Templates/Night/config.ini"
start_app "$portable"
box=$(drive box 60000 leave)
screenshot "$artifacts/release-damaged-skin.png"
drive box 20000 ok >/dev/null
check "a damaged skin is told about in a message box (${box#box })" \
    grep -q "^box $product|皮肤「Night」已损坏" <<<"$box"
check "and the month window still shows" eval 'read -r _ _ _ _ _ s <<<"$(drive calendar)"; [ "$s" = visible ]'
check "退出 ends it" stop_app

# --- the installer ---------------------------------------------------------------
installed="$work/installed/$product"
mkdir -p "$work/installed"
"$WINE" "$job/packages/$setup_name" /S "/D=$(windows_path "$work/installed")\\$product" >/dev/null 2>&1
setup_status=$?
check "the installer installs silently (exit code $setup_status)" \
    test "$setup_status" = 0 -a -f "$installed/Solvane.exe" -a -f "$installed/Uninstall.exe"
start_app "$installed"
month_window_checks "installed" release-installed
check "退出 ends the installed program" stop_app
"$WINE" "$installed/Uninstall.exe" /S >/dev/null 2>&1
for _ in $(seq 300); do [ -e "$installed/Solvane.exe" ] || break; sleep 0.2; done
check "the silent uninstaller removes the program" test ! -e "$installed/Solvane.exe"

e2e_summary "release ($(basename "$zip_name" .zip))"
