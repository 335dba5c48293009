#!/usr/bin/env bash
# End-to-end tests of moving through the calendar without the menus: the wheel
# and the keys against the month the window shows, Enter (the ringed day's
# 黄历 page) and Esc (hidden), the tray icon's clicks with the setting off and
# on, what a screen reader reads (every day of December 2026 against
# `solvane-cli day`), and Windows' dark mode switched while the program runs.
# Solvane.exe from an installation laid out like build/win64/dist, under
# 64-bit Wine in the virtual display, driven by solvane-e2e.exe.
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-navigation-e2e

install="$build/e2e/navigation-install"
config="$install/Ostrel/Templates/Default/config.ini"

install_fresh "$install" "Template=Default" "SystemTrayTemplate=RedPage"

start_app() {
    ( cd "$install" && "$WINE" Solvane.exe ) >/dev/null 2>&1 &
    app_pid=$!
    drive wait-calendar 60000 >/dev/null
}

contains() { grep -qxF -- "$2" <<<"$1"; }
# "2026年12月" of the month N months from this one.
month_from_now() { date -d "$(date +%Y-%m-01) $1 month" +%Y年%-m月; }
shown() { drive shown-month | sed -n 's/^month //p'; }
shows() { [ "$(shown)" = "$1" ]; }
today_name=$(date +%-m月%-d日)

start_app
this=$(month_from_now 0)
check "the window opens on this month ($this)" shows "$this"

# --- the wheel -----------------------------------------------------------------------
# Over the day grid, where no hot spot is; a click first, as Wine sends the
# wheel to the window with the keyboard.
x=180 y=250
drive left-click $x $y >/dev/null
drive wheel $x $y -120 120 >/dev/null
check "a notch towards the user shows the next month" eventually shows "$(month_from_now 1)"
drive wheel $x $y 240 30 >/dev/null
check "two notches away from the user in fine steps go back two months" eventually shows "$(month_from_now -1)"
drive wheel $x $y 60 60 >/dev/null
check "half a notch moves nothing" shows "$(month_from_now -1)"
drive wheel $x $y -60 60 >/dev/null
check "and turning back drops the half" shows "$(month_from_now -1)"
drive ctrl-wheel $x $y -120 120 >/dev/null
check "Ctrl with a notch towards the user shows the month a year on" eventually shows "$(month_from_now 11)"
screenshot "$artifacts/navigation-wheel.png"

# --- the keys ------------------------------------------------------------------------
# A click gives the window the keyboard, as the user does.
drive left-click $x $y >/dev/null
check "Home goes to this month, ringed on today" eventually eval 'drive press home >/dev/null; shows "$this"'
check "the ring is the focused cell a screen reader reads, today" \
    eval 'drive accessible | grep -q "^cell	${today_name} .*	focused\$"'
drive press pagedown >/dev/null
check "PageDown shows the next month" eventually shows "$(month_from_now 1)"
drive press ctrl+pagedown >/dev/null
check "Ctrl+PageDown a year on" eventually shows "$(month_from_now 13)"
drive press ctrl+pageup press pageup >/dev/null
check "Ctrl+PageUp and PageUp come back" eventually shows "$this"
drive press down press down press down press down press down >/dev/null
check "five weeks down cross into the next month" eventually shows "$(month_from_now 1)"
drive press up press up press up press up press up >/dev/null
check "and five up come back to today's month" eventually shows "$this"
screenshot "$artifacts/navigation-ring.png"

menu=$(drive left-click $x $y press shift+f10 list-menu menu-close)
check "Shift+F10 opens the ringed day's menu" eval 'grep -q "查看黄历...$" <<<"$menu"'
drive left-click $x $y >/dev/null
page=$(drive press enter dialog 黄历 30000 read)
check "Enter opens the 黄历 page of the ringed day, today" \
    contains "$page" "control	1430	Static	$(date +%Y年%-m月%-d日) $(LC_ALL=zh_CN.UTF-8 date +%A)"
drive dialog 黄历 5000 press-escape dialog-gone 黄历 10000 >/dev/null

drive left-click $x $y >/dev/null
drive press escape >/dev/null
check "Esc hides the window" eventually eval 'drive calendar | grep -q " hidden$"'

# --- the tray icon ---------------------------------------------------------------------
drive tray-double-click >/dev/null
check "a double click on the tray icon shows it" eventually eval 'drive calendar | grep -q " visible$"'
drive tray-click >/dev/null
check "a single click leaves it shown while 单击托盘图标显示/隐藏日历 is off" eval 'drive calendar | grep -q " visible$"'
drive tray-menu menu-pick 设置... dialog 设置 30000 check 1025 1 click 1 dialog-gone 设置 10000 >/dev/null
check "设置 stores the tray click setting" grep -q '^TrayClickShowsCalendar=1' "$install/Solvane.ini"
drive tray-click >/dev/null
check "with it on, a single click hides the window" eventually eval 'drive calendar | grep -q " hidden$"'
drive tray-click >/dev/null
check "and another shows it again" eventually eval 'drive calendar | grep -q " visible$"'
drive tray-double-click >/dev/null
check "a double click leaves it shown" eval 'drive calendar | grep -q " visible$"'

# --- what a screen reader reads ---------------------------------------------------------
# December 2026, reached with PageUp/PageDown from this month.
target_year=2026 target_month=12
offset=$(( (target_year * 12 + target_month) - ($(date +%Y) * 12 + $(date +%-m)) ))
if [ "${offset#-}" -le 36 ]; then
    drive left-click $x $y press home >/dev/null
    key=pagedown; [ "$offset" -lt 0 ] && key=pageup
    for _ in $(seq 1 "${offset#-}"); do drive press $key >/dev/null; done
    read_out=$(drive accessible)
    printf '%s\n' "$read_out" > "$artifacts/navigation-accessible.txt"
    check "the month window reads as the table 2026年12月" contains "$read_out" "table 2026年12月"
    check "its header's spots read as buttons" eval 'grep -c "^button	" <<<"$read_out" | grep -qx 5'
    check "it has a cell for each of the 31 days" eval '[ "$(grep -c "^cell	" <<<"$read_out")" = 31 ]'
    cli_days() {  # the balloon part of `solvane-cli day` for each day, "DAY<TAB>line"
        local d
        for d in $(seq 1 31); do
            "$cli" day "2026-12-$(printf %02d "$d")" --db "$install/Ostrel/Database/china.mdb" \
                --festivals "$install/Ostrel/holidays.cfg" \
                --memos "$install/Reminders/reminders.cfg" --offdays "$install/Ostrel/offdays.cfg" 2>/dev/null |
                sed -n '1,/^$/p' | sed "s/^/$d\t/"
        done
    }
    mismatch=$(python3 - "$today_name" <(grep '^cell	' <<<"$read_out") <(cli_days) <<'PY'
import re, sys
today, cells_file, cli_file = sys.argv[1], sys.argv[2], sys.argv[3]
cli = {}
for line in open(cli_file, encoding="utf-8"):
    day, _, text = line.rstrip("\n").partition("\t")
    if text:
        cli.setdefault(int(day), []).append(text)
problems = []
for line in open(cells_file, encoding="utf-8"):
    name = line.rstrip("\n").split("\t")[1]
    clauses = name.split("，")
    m = re.fullmatch(r"12月(\d+)日 星期(.)", clauses[0])
    if not m:
        problems.append("no date in " + name); continue
    day = int(m.group(1)); facts = cli.get(day, [])
    if "星期" + m.group(2) not in facts:
        problems.append(name + ": weekday")
    lunar = next((f for f in facts if f.startswith("旧历：")), "")
    if not clauses[1].startswith("旧历") or not lunar.endswith("年" + clauses[1][2:]):
        problems.append(name + ": lunar date, not " + lunar)
    for clause in clauses[2:]:
        if clause == "今天":
            if not clauses[0].startswith(today + " "):
                problems.append(name + ": not today")
            continue
        if re.fullmatch(r"有\d+条备忘", clause):
            continue
        for part in clause.split("、"):
            if not any(part in f for f in facts):
                problems.append(name + ": " + part + " not in the CLI's day")
    # What the CLI names for the day is read out too: term, festivals, 休/班.
    for fact in facts:
        if fact.startswith("节气："):
            if fact[3:] not in name:
                problems.append(name + ": misses " + fact)
        elif re.search(r" [休班]$", fact) and fact not in name:
            problems.append(name + ": misses " + fact)
print("\n".join(problems))
PY
)
    check "every day of December 2026 reads as solvane-cli day describes it ${mismatch:+($mismatch)}" test -z "$mismatch"
else
    skip "December 2026 as a screen reader reads it" "more than three years from this month"
fi

# --- Windows' dark mode -----------------------------------------------------------------------
# The card's margin left of the grid, where nothing is written: light paper
# in the Default skin, dark blue in Night.
brightness() {
    local l t
    read -r _ l t _ <<<"$(drive calendar)"
    import -window root -crop "1x1+$((l + 14))+$((t + 300))" -depth 8 txt:- 2>/dev/null |
        sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' | awk '{ print int(($1 + $2 + $3) / 3) }'
}
park_pointer
light=$(brightness)
drive dark-mode 1 >/dev/null
check "dark apps switch the month to the Night skin at once (brightness $light -> $(brightness))" \
    eventually eval '[ "$(brightness)" -lt 100 ]'
screenshot "$artifacts/navigation-dark.png"
check "and the chosen skin stays stored" grep -q '^Template=Default' "$install/Solvane.ini"
drive dark-mode 0 >/dev/null
check "light apps bring the chosen skin back" eventually eval '[ "$(brightness)" -gt 180 ]'

stop_app
e2e_summary "navigation e2e"
