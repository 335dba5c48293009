#!/usr/bin/env bash
# End-to-end tests of what the day menu adds on a day of a leap month: a lunar
# memo and a lunar festival added on 31 March 2023 (闰二月初十) open their
# editors on 闰二月初十, say which Gregorian day that is, and land on 31 March,
# not on 1 March (二月初十). Solvane.exe from an installation laid out like
# build/win64/dist, under 64-bit Wine in the virtual display, driven by
# solvane-e2e.exe through the day menu and the editors' own controls.
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-leap-month-e2e

install="$build/e2e/leap-month-install"
festivals="$install/Ostrel/holidays.cfg"
memo_file="$install/Reminders/reminders.cfg"
install_fresh "$install" "Template=Default"
rm -f "$install/Reminders/"*
printf '%s\r\n' "YL,JR,10-1,国庆节,,,,1,1,1" | iconv -f UTF-8 -t GBK > "$festivals"

start_app() {
    ( cd "$install" && "$WINE" Solvane.exe ) >/dev/null 2>&1 &
    app_pid=$!
    drive wait-calendar 60000 >/dev/null
}

contains() { grep -qxF -- "$2" <<<"$1"; }
shown() { drive shown-month | sed -n 's/^month //p'; }
cells() { python3 scripts/tests.d/month_cells.py "$install/Ostrel/Templates/Default/config.ini" "$@"; }
memos() { "$cli" memos --memos "$memo_file" 2>/dev/null; }
festival_lines() { iconv -f GBK -t UTF-8 "$festivals" | tr -d '\r'; }
# What a screen reader hears for a day of the month shown: "3月31日 星期五，…".
cell_of() { drive accessible | grep -P "^cell\t$1 " | cut -f2; }

start_app
# March 2023, a month at a time with PageUp after a click on the day grid has
# given the window the keyboard; counted again from the month shown until it
# is there, so that a key lost on a busy machine is made up for.
go_to_march_2023() {
    local y m left steps key
    for _ in 1 2 3 4 5; do
        IFS=' ' read -r y m <<<"$(shown | sed 's/年/ /; s/月//')"
        [ -n "$m" ] || return 1
        left=$(( (y * 12 + m) - (2023 * 12 + 3) ))
        [ "$left" -eq 0 ] && return 0
        key=pageup; [ "$left" -lt 0 ] && key=pagedown
        steps=(left-click 180 250)
        for _ in $(seq 1 "${left#-}"); do steps+=(press $key); done
        drive "${steps[@]}" idle 10000 >/dev/null
    done
    return 1
}
go_to_march_2023
shows_march() { [ "$(shown)" = 2023年3月 ]; }
check "the month window shows 2023年3月" eventually shows_march

# --- a lunar memo ------------------------------------------------------------------------
editor=$(drive right-click $(cells 2023 3 centre 31) list-menu menu-pick 添加旧历备忘... dialog 添加 20000 \
    text-of 1014 text-of 1015 text-of 1016 text-of 1042)
check "添加旧历备忘... on 31 March 2023 opens the editor on 2023 闰二月初十" \
    test "$(sed -n 's/^text 101[456] //p' <<<"$editor" | tr '\n' ' ')" = "2023 闰二 初十 "
check "its hint names the day clicked, 31 March" contains "$editor" "text 1042 即阳历2023年3月31日"
drive dialog 添加 5000 set-text 1038 闰月备忘 pick 1009 无提醒 click 1 dialog-gone 添加 10000 >/dev/null
check "confirming stores the memo in 闰二月" \
    eventually eval 'memos | grep -q "^闰月备忘	旧历	.*	2023年闰二月初十00点00分	"'
check "the window has the memo on 31 March" eventually eval 'cell_of 3月31日 | grep -q "有1条备忘"'
check "and none on 1 March (二月初十)" eval '! cell_of 3月1日 | grep -q 备忘'
screenshot "$artifacts/leap-month-memo.png"

# --- a yearly memo's hint -------------------------------------------------------------------
hint=$(drive right-click $(cells 2023 3 centre 31) list-menu menu-pick 添加旧历备忘... dialog 添加 20000 \
    pick 1010 每年 text-of 1042 click 2 dialog-gone 添加 10000)
check "made yearly, the hint says in which years it falls in 闰二月 and where in the others" \
    grep -q "逢闰二月：2023、2042、2099年" <<<"$hint"

# --- a lunar festival -------------------------------------------------------------------------
editor=$(drive right-click $(cells 2023 3 centre 31) list-menu menu-pick 添加旧历节日... dialog 添加 20000 read)
check "添加旧历节日... on 31 March 2023 opens the editor on 闰二 初十" \
    test "$(grep -P '^combo\t102[12]\t' <<<"$editor" | cut -f3 | tr '\n' ' ')" = "闰二 初十 "
check "its hint names 31 March and the years of 闰二月" \
    eval 'grep -q "即阳历2023年3月31日" <<<"$editor" && grep -q "逢闰二月：2023、2042、2099年" <<<"$editor"'
drive dialog 添加 20000 set-text 1017 闰月生日 click 1 dialog-gone 添加 30000 >/dev/null
check "confirming writes the leap month into holidays.cfg" \
    eventually eval 'festival_lines | grep -qx "NL,SR,闰2-10,闰月生日,,,,1,1,1"'
check "the window has the festival on 31 March" eventually eval 'cell_of 3月31日 | grep -q 闰月生日'
check "and not on 1 March" eval '! cell_of 3月1日 | grep -q 闰月生日'
check "the festival manager describes it as 闰二月初十" \
    eval 'drive tray-menu menu-pick-in 管理节假日/备忘 节日管理... dialog 节日管理 60000 rows 1014 close dialog-gone 节日管理 10000 |
        grep -q "	闰月生日	闰二月初十	"'
screenshot "$artifacts/leap-month-festival.png"

stop_app
e2e_summary "leap month e2e"
