#!/usr/bin/env bash
# Midnight and log-on end to end: the program left running into a new year,
# and started before the notification area is ready. Wine can neither set the
# clock of one program nor hold back its taskbar, so this drives the test
# build of the program (build/win64/e2e/Solvane-seams.exe: the same shell with
# a clock that starts at SOLVANE_TEST_CLOCK and a notification area that
# refuses the icon SOLVANE_TEST_TRAY_REFUSALS times) from an installation
# laid out like dist/. Screenshots in build/win64/artifacts/e2e/midnight-*.png.
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-midnight-e2e

install="$build/e2e/midnight-install"
seams="$build/e2e/Solvane-seams.exe"
template="$build/dist/Ostrel/Templates/Default/config.ini"

start_app() {  # test clock, tray refusals: a fresh installation, started
    rm -rf "$install"
    cp -r "$build/dist" "$install"
    cp "$seams" "$install/Solvane.exe"
    printf '%s\r\n' "[Ostrel]" "Template=Default" "SystemTrayTemplate=RedPage" > "$install/Solvane.ini"
    ( cd "$install" && SOLVANE_TEST_CLOCK="$1" SOLVANE_TEST_TRAY_REFUSALS="$2" "$WINE" Solvane.exe ) >/dev/null 2>&1 &
    app_pid=$!
    read -r _ L T R B _ <<<"$(drive wait-calendar 60000)"
}

# The first tray icon's page inside its frame: Wine's tray draws a changed
# icon over the old one, so the frame's soft edge comes out darker then.
shot() {  # name: the screen, the month window and the tray icon's page cut out of it
    park_pointer
    screenshot "$artifacts/midnight-$1.png"
    convert "$artifacts/midnight-$1.png" -crop "$((R - L))x$((B - T))+$L+$T" +repage "$work/$1-window.png"
    convert "$artifacts/midnight-$1.png" -crop 14x12+6+26 +repage "$work/$1-tray.png"
}

differing() {  # two pictures: how many pixels differ noticeably
    compare -metric AE -fuzz 6% "$1" "$2" null: 2>&1 | cut -d' ' -f1
}

# The Default skin marks today with a soft pink disc behind the number (a
# red check would also find the red numbers of holidays); it can stand a
# little above a narrow number, so the box reaches up 8 pixels.
ring_on() {  # shot name, year, month, day: the day's number box holds today's pink
    local l t r b
    read -r l t r b <<<"$(python3 scripts/tests.d/month_cells.py "$template" "$2" "$3" number "$4")"
    t=$((t - 8))
    convert "$work/$1-window.png" -crop "$((r - l))x$((b - t))+$l+$t" txt:- |
        awk -F'[(),]' 'NR > 1 && $3 > 200 && $4 > 150 && $4 < 200 && $5 > 140 && $5 < 195 { n++ } END { exit !(n >= 20) }'
}

tray_present() { [ "$(drive tray)" = "tray present" ]; }

seconds_until() {  # "HH:MM:SS" of the test clock started at $clock_start: seconds from now, at least 0
    local target started
    target=$(date -d "1970-01-01 $1 UTC" +%s)
    started=$(date -d "1970-01-01 ${clock_start#* } UTC" +%s)
    [ "$target" -lt "$started" ] && target=$((target + 86400))  # past midnight
    local left=$((target - started - (SECONDS - started_at)))
    [ "$left" -lt 0 ] && left=0
    echo "$left"
}

# --- the release does not carry the seams -------------------------------------------
check "the test build reads the test clock" grep -q SOLVANE_TEST_CLOCK <(strings -el "$seams")
check "the release Solvane.exe has no test clock or notification area in it" \
    test -z "$(strings -el "$build/dist/Solvane.exe" | grep SOLVANE_TEST)"

# --- what 1 January 2027 looks like when the program starts on it ---------------------
start_app "2027-01-01 00:00:20" 0
shot new-year-start
stop_app

# --- left running over midnight into 2027 ---------------------------------------------
clock_start="2026-12-31 23:59:30"
started_at=$SECONDS
start_app "$clock_start" 0
shot before
check "on 31 December 2026 the ring is on the 31st" ring_on before 2026 12 31
check "the month shown is unlike January 2027" test "$(differing "$work/before-window.png" "$work/new-year-start-window.png")" -gt 3000
check "the tray icon shows another day than on 1 January" test "$(differing "$work/before-tray.png" "$work/new-year-start-tray.png")" -gt 10
evening=$(drive notice 30000 | head -1)
check "the notice after start-up announces tomorrow's 元旦 (${evening#*|})" grep -q '明天「元旦」' <<<"$evening"
drive notice-click ok notice-gone 10000 >/dev/null
sleep "$(seconds_until 00:00:00)"
midnight=$(drive notice 30000 | head -1)
check "at midnight the daily notice comes: today is 元旦 (${midnight#*|})" grep -q '今天「元旦」' <<<"$midnight"
drive notice-click ok notice-gone 10000 >/dev/null
shot after
check "after midnight the window shows January 2027" \
    test "$(differing "$work/after-window.png" "$work/new-year-start-window.png")" -lt 500
check "with the ring on the 1st" ring_on after 2027 1 1
check "the tray icon shows the new date, as on a start on 1 January" \
    test "$(differing "$work/after-tray.png" "$work/new-year-start-tray.png")" -le 2
stop_app

# --- a month the user turned to gives way to today's at midnight ------------------------
clock_start="2026-12-31 23:59:45"
started_at=$SECONDS
start_app "$clock_start" 0
drive left-click 327 40 list-menu menu-pick 11月 >/dev/null
shot november
check "November 2026 is turned to before midnight" \
    test "$(differing "$work/november-window.png" "$work/new-year-start-window.png")" -gt 3000
sleep "$(seconds_until 00:00:08)"
shot november-after
# The month itself, above the list of coming days.
month_part() { convert "$work/$1-window.png" -crop 360x380+0+0 +repage "$work/$1-month.png"; }
month_part november-after
month_part new-year-start
check "after midnight the window shows January 2027 all the same, as on a start on 1 January" \
    test "$(differing "$work/november-after-month.png" "$work/new-year-start-month.png")" -lt 300
check "with the ring on the 1st" ring_on november-after 2027 1 1
stop_app

# --- started just before midnight: one notice for the new day ----------------------------
# The notice that follows start-up by 15 s would fall after midnight, beside
# the new day's own.
clock_start="2026-12-31 23:59:55"
started_at=$SECONDS
start_app "$clock_start" 0
sleep "$(seconds_until 00:00:25)"
shown=$(drive notice 20000 | head -1)
check "started five seconds before midnight, the notice says once that today is 元旦 (${shown#*|})" \
    test "$(grep -o '今天「元旦」' <<<"$shown" | wc -l)" = 1
stop_app

# --- log-on: the notification area refuses the icon at first ------------------------------
start_app "2027-01-01 00:00:20" 5
check "started before the notification area is ready, the program runs without its icon" \
    test "$(drive tray)" = "tray absent"
check "and its icon appears once the notification area takes it" eventually --within 30 tray_present
shot tray-retry
check "showing today's date as on any start" \
    test "$(differing "$work/tray-retry-tray.png" "$work/new-year-start-tray.png")" -le 2
stop_app

e2e_summary "midnight e2e"
