#!/usr/bin/env bash
# End-to-end tests of the notices of Solvane.exe under 64-bit Wine: memo alerts
# and the daily festival notice in the notification window, and the update
# check. Memos and festivals are written into a fresh installation before the
# program starts, with memo times taken from the real clock; which sound files
# the program opens is watched from outside (inotify on its Sound folder). For
# the update check the version file is served from 127.0.0.1 by a local web
# server named in Solvane.ini, the program's own version is set by rewriting
# the version resource of the installed copy, and solvane-e2e.exe reads and
# answers the announcement box. Screenshots go to build/win64/artifacts/e2e/.
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-notices-e2e
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY no_proxy NO_PROXY

install="$build/e2e/notices-install"
files="$root/scripts/tests.d/notices_e2e_files.py"
site="$work/site"
mkdir -p "$site"
server_pid="" watcher_pid=""
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')

e2e_on_exit() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
    [ -n "$watcher_pid" ] && kill "$watcher_pid" 2>/dev/null
    return 0
}
quietly() { "$@" >/dev/null; }
page_url="http://127.0.0.1:$port/update.html"

start_server() { serve_folder "$site" "$port"; }

stop_server() {
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null
    server_pid=""
}

requests() { grep -c 'GET /version.txt' "$work/server.log" 2>/dev/null || true; }

publish() { printf '%s' "$1" > "$site/version.txt"; }

fresh_install() {  # the local server's addresses, then any further settings lines
    install_fresh "$install" "UpdateVersionUrl=http://127.0.0.1:$port/version.txt" \
        "UpdatePageUrl=$page_url" "$@"
}

own_version() {  # the version resource of the installed copy says VERSION
    python3 "$files" product-version "$install/Solvane.exe" "$1"
}

start_app() {
    : > "$work/server.log"
    ( cd "$install" && "$WINE" Solvane.exe ) >/dev/null 2>&1 &
    app_pid=$!
    drive wait-calendar 30000 >/dev/null
}

stop_app() {
    drive tray-menu menu-pick 退出 wait-gone 10000 >/dev/null
    kill "$app_pid" 2>/dev/null
    wait "$app_pid" 2>/dev/null
    app_pid=""
    if [ -n "$watcher_pid" ]; then
        kill "$watcher_pid" 2>/dev/null
        wait "$watcher_pid" 2>/dev/null
        watcher_pid=""
    fi
}

leftover_temporary_files() {  # version downloads left in the prefix's temporary folders
    find "$WINEPREFIX/drive_c" -path '*[Tt]emp*' -regextype posix-extended \
        -regex '.*/[0-9A-F]{32}\.txt' 2>/dev/null | wc -l
}

# --- notices: helpers ------------------------------------------------------------------
watch_sounds() {  # from now on, every opening of a file in the installation's Sound folder
    rm -f "$work/opens.log"
    python3 "$files" watch-opens "$install/Sound" "$work/opens.log" &
    watcher_pid=$!
    for _ in $(seq 100); do [ -e "$work/opens.log" ] && break; sleep 0.1; done
}
opens_of() { grep -cxF "$1" "$work/opens.log" 2>/dev/null || true; }
steady_opens_of() {  # NAME: its openings so far, once a second has passed without a new one
    local count last=-1 until=$((SECONDS + 10))
    while count=$(opens_of "$1") && [ "$count" != "$last" ] && [ "$SECONDS" -lt "$until" ]; do
        last=$count
        sleep 1
    done
    echo "$count"
}
sound_opened() {  # NAME within 10 s
    for _ in $(seq 100); do [ "$(opens_of "$1")" -gt 0 ] && return 0; sleep 0.1; done
    return 1
}

minute_at() { date -d "@$(( ($(date +%s) / 60 + $1) * 60 ))" "+${2:-%Y-%m-%dT%H:%M}"; }
epoch_of_minute() { echo $(( ($(date +%s) / 60 + $1) * 60 )); }
ms_until() { local left=$(( $1 - $(date +%s) )); echo $(( (left > 0 ? left : 0) * 1000 + $2 )); }

# The program needs some seconds to start: begin early in a minute.
early_in_minute() { while [ "$(date +%-S)" -gt 30 ]; do sleep 1; done; }

field() { echo "$1" | sed -n "s/^$2 //p"; }  # the rest of the driver's line that starts with $2
notice_text() { field "$1" notice | cut -d'|' -f3-; }
notice_caption() { field "$1" notice | cut -d'|' -f2; }
notice_rect() { field "$1" notice | cut -d'|' -f1; }

rests_in_corner() {  # notice rect, work-area rect: 5 px left of its right edge, bottom on its bottom
    local L T R B WL WT WR WB
    read -r L T R B <<<"$1"
    read -r WL WT WR WB <<<"$2"
    [ "$R" -eq $((WR - 5)) ] && [ "$B" -le "$WB" ] && [ "$B" -gt $((WB - 10)) ]
}

pixel() {  # "R G B" of the screenshot at x, y
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:
}

# --- a memo alert slides the notice up with its sound; the next ones are added above it
# Memos alerting when they happen: one in the minute the program starts (which
# alerts at start), one in the next minute and two in the minute after, the
# second of them too long for the notice. No festivals, so the daily notice
# has nothing to say.
publish "1.0"  # the update check stays silent meanwhile
start_server
fresh_install
: > "$install/Ostrel/holidays.cfg"
early_in_minute
first_due=$(epoch_of_minute 1)
long_memo="下午三点到市民中心办理护照续签，带上身份证原件、两张白底照片、旧护照和预约短信，办完顺路去银行取回执，再到超市买牛奶、鸡蛋和明早的面包"
python3 "$files" memos "$install/Reminders/reminders.cfg" \
    "$(minute_at 0)" "启动那一分钟的备忘" "$(minute_at 1)" "第一条提醒" "$(minute_at 2)" "第二条提醒" \
    "$(minute_at 2)" "$long_memo"
first_line="~~今天$(minute_at 1 %H:%M)：第一条提醒~"
second_line="~~今天$(minute_at 2 %H:%M)：第二条提醒~今天$(minute_at 2 %H:%M)：$long_memo~今天$(minute_at 1 %H:%M)：第一条提醒~"
watch_sounds
start_app
if [ "$(date +%s)" -ge $((first_due - 1)) ]; then
    skip "memo alerts" "the program took until the due minute to start"
else
    at_start=$(drive notice 20000)
    check "the memo of the minute the program started in alerts at start: $(notice_text "$at_start")" \
        test "$(notice_text "$at_start")" = "~~今天$(minute_at 0 %H:%M)：启动那一分钟的备忘~"
    quietly drive notice-click ok notice-gone 10000
    shown=$(drive notice "$(ms_until "$first_due" 45000)")
    import -window root "$artifacts/notice-memo.png" 2>/dev/null
    check "a memo due in the next minute raises the notice with its line: $(notice_text "$shown")" \
        test "$(notice_text "$shown")" = "$first_line"
    check "the notice is captioned Tavro日历提醒你" test "$(notice_caption "$shown")" = "Tavro日历提醒你"
    check "it rests in the work area's lower right corner ($(notice_rect "$shown") in $(field "$shown" work-area))" \
        rests_in_corner "$(notice_rect "$shown")" "$(field "$shown" work-area)"
    check "its arrival plays Sound/滴滴.wav" sound_opened 滴滴.wav
    read -r L T R B <<<"$(notice_rect "$shown")"
    if [ -n "${L:-}" ] && [ -s "$artifacts/notice-memo.png" ]; then
        body=$(pixel "$artifacts/notice-memo.png" $((L + 3)) $((B - 3)))
        band=$(pixel "$artifacts/notice-memo.png" $((L + 3)) $((T + 3)))
        check "it is painted pale yellow ($body) under an orange title band ($band)" \
            test "$body|$band" = "250 250 150|255 81 0"
    fi
    dings=$(steady_opens_of 滴滴.wav)
    second=$(drive notice-text "$(ms_until $((first_due + 60)) 45000)" "$second_line")
    import -window root "$artifacts/notice-long.png" 2>/dev/null
    check "the alerts of the following minute are added above the unread one, a long memo whole: $(notice_text "$second")" \
        test "$(notice_text "$second")" = "$second_line"
    # Drawn cut with "…", the whole text in a tip over the label; looked at,
    # not measured.
    read -r L T R B <<<"$(notice_rect "$second")"
    if [ -n "${L:-}" ]; then
        xdotool mousemove $((L + 120)) $((T + 60)) 2>/dev/null && drive balloon 10000 >/dev/null &&
            screenshot "$artifacts/notice-long-tip.png"
        xdotool mousemove 0 0 2>/dev/null
    fi
    check "without moving the resting notice" test "$(notice_rect "$second")" = "$(notice_rect "$shown")"
    check "and with the alert's sound again" eventually --within 10 eval '[ "$(opens_of 滴滴.wav)" -gt "$dings" ]'
    check "知道了 slides the notice away" quietly drive notice-click ok notice-gone 10000
    check "the memo of the minute the program started in alerted once only" \
        test "$(notice_text "$shown")$(notice_text "$second")" = "${first_line}${second_line}"
fi
stop_app

# --- an alert whose minute passes while the program cannot run is shown as missed ----------
# The process is stopped over the alert's minute and let go a minute later,
# which is what the program sees of sleep and hibernation: the clock has jumped.
fresh_install
: > "$install/Ostrel/holidays.cfg"
early_in_minute
due=$(epoch_of_minute 1)
python3 "$files" memos "$install/Reminders/reminders.cfg" "$(minute_at 1)" "睡着时到期的提醒"
missed_line="~~错过的提醒：~$(minute_at 1 %-m月%-d日%H:%M)到期：$(minute_at 1 %H:%M) 睡着时到期的提醒~"
start_app
program_pid=""  # the subshell may have become the program, or be its parent
for pid in "$app_pid" $(pgrep -P "$app_pid"); do
    grep -q 'Solvane\.exe' "/proc/$pid/cmdline" 2>/dev/null && program_pid=$pid && break
done
if [ "$(date +%s)" -ge $((due - 1)) ] || [ -z "$program_pid" ]; then
    skip "missed alerts" "the program took until the due minute to start, or its process was not found"
else
    kill -STOP "$program_pid"
    while [ "$(date +%s)" -lt $((due + 65)) ]; do sleep 1; done
    kill -CONT "$program_pid"
    # Stopped before it had set its minute timer (a slow start), the program
    # looks at the clock only at the next whole minute: wait beyond it.
    missed=$(drive notice 80000)
    import -window root "$artifacts/notice-missed.png" 2>/dev/null
    check "after the pause the alert comes as missed, with when it was due: $(notice_text "$missed")" \
        test "$(notice_text "$missed")" = "$missed_line"
    quietly drive notice-click ok notice-gone 10000
    check "and only once" quietly drive no-notice 3000
fi
stop_app

# --- today's and tomorrow's festivals make the daily notice, 15 s after start ------------
# Today's festival plays its own sound file, whose name holds a quote.
fresh_install
cp "$install/Sound/滴滴.wav" "$install/Sound/节日's.wav"
python3 "$files" festivals "$install/Ostrel/holidays.cfg" \
    "YL,JR,$(date +%-m-%-d),测试节,,,$(windows_path "$install/Sound/节日's.wav"),1,1,1" \
    "YL,JR,$(date +%-m-%-d),不上提醒窗口的节,,,,1,1,0" \
    "YL,JR,$(date -d tomorrow +%-m-%-d),明日测试节,,,,1,1,1"
watch_sounds
start_app
daily=$(drive notice-slide-click x notice 60000)
check "today's and tomorrow's festivals give the daily notice: $(notice_text "$daily")" \
    test "$(notice_text "$daily")" = "~~今天「测试节」！~明天「明日测试节」"
if echo "$daily" | grep -qx 'clicked sliding'; then
    check "X pressed while it slid in was ignored: it came to rest" \
        rests_in_corner "$(notice_rect "$daily")" "$(field "$daily" work-area)"
else
    skip "X pressed while sliding in" "the notice was already resting when the driver saw it"
fi
check "the festival's own sound file is played, a quote in its name notwithstanding" sound_opened "节日's.wav"
check "X slides it away" quietly drive notice-click x notice-gone 10000
stop_app

# --- ShowNotifyWindowOnScreen=0 silences both ----------------------------------------------
fresh_install "ShowNotifyWindowOnScreen=0"
python3 "$files" festivals "$install/Ostrel/holidays.cfg" "YL,JR,$(date +%-m-%-d),测试节,,,,1,1,1"
early_in_minute
due=$(epoch_of_minute 1)
python3 "$files" memos "$install/Reminders/reminders.cfg" "$(minute_at 1)" "不该出现的提醒"
started=$(date +%s)
start_app
until_quiet=$(( due + 8 > started + 24 ? due + 8 : started + 24 ))
check "with ShowNotifyWindowOnScreen=0 neither the memo alert nor the daily notice shows" \
    quietly drive no-notice "$(ms_until "$until_quiet" 0)"
stop_app

# --- the update check ----------------------------------------------------------------------
announcement="update-box Tavro日历|发现Tavro日历的新版本！新版本为2.1，当前版本为2.0.0。~~请点击【确定】查看升级详情。如果现在不想升级，请点击【取消】。"

# --- a higher published version is announced once -----------------------------------
publish $'2.1\r\n'
fresh_install
own_version 2.0.0
start_app
box=$(drive update-box 20000 cancel)
check "a published 2.1 over the own 2.0.0 is announced in a box captioned with the product name" \
    test "$box" = "$announcement"
check "the version file was fetched once ($(requests) requests)" test "$(requests)" = 1
check "no downloaded version file is left in the temporary folder" test "$(leftover_temporary_files)" = 0
check "after Cancel nothing more is asked" quietly drive no-update-box 3000
stop_app

# --- OK opens the update page through the shell ---------------------------------------
# Only web addresses reach the shell, which hands them to Wine's browser
# launcher; the "browser" it is told to use here writes down what it was given.
printf '#!/bin/sh\nprintf "%%s" "$1" > "%s"\n' "$work/opened.txt" > "$work/browser.sh"
chmod +x "$work/browser.sh"
"$WINE" reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ /d "$work/browser.sh" /f >/dev/null 2>&1
fresh_install
own_version 2.0.0
start_app
quietly drive update-box 20000 ok
for _ in $(seq 100); do [ -s "$work/opened.txt" ] && break; sleep 0.1; done
check "OK in the box opens the update page" test "$(cat "$work/opened.txt" 2>/dev/null)" = "$page_url"
stop_app

# --- the same or a numerically lower version stays silent ---------------------------
publish "2.0"
fresh_install
own_version 2.0.0
start_app
check "2.0 published, 2.0.0 installed: not announced" quietly drive no-update-box 6000
check "and is fetched once, without retries" test "$(requests)" = 1
stop_app

publish "2.10 minor fixes"  # compared number by number: 2.10 > 2.9
fresh_install
own_version 2.9.0
start_app
check "2.10 published, 2.9.0 installed: compared number by number, announced" quietly drive update-box 20000 cancel
stop_app

# --- an unreachable server is retried quietly ------------------------------------------
stop_server
publish "2.1"
fresh_install "UpdateRetryPause=3000"
own_version 2.0.0
start_app
check "while the server is down no box appears" quietly drive no-update-box 3500
start_server
box=$(drive update-box 20000 cancel)
check "once it is back a later attempt announces the new version" test "$box" = "$announcement"
check "the temporary files of the failed attempts are gone as well" test "$(leftover_temporary_files)" = 0
stop_app

stop_server
fresh_install "UpdateRetryPause=100"
start_app
sleep 8  # ten quick failed attempts
start_server
check "after ten failed attempts the check gives up until the next start" quietly drive no-update-box 4000
check "and asks the server nothing more" test "$(requests)" = 0
stop_app

e2e_summary "notices e2e"
