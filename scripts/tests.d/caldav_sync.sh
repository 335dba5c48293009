#!/usr/bin/env bash
# solvane-cli sync against real CalDAV servers on this machine: Radicale
# (with a user and password) behind a proxy that can answer in its place,
# and xandikos. python-caldav, not this program, reads the calendars back:
# the lunar birthday on its Gregorian dates (八月十二 on 2027-09-12), the
# memos with their alarms; a second sync changes nothing; an edited memo is
# updated in place, a deleted one's event goes; a wrong password, an
# unreachable server, a malformed, huge or slow answer, a full calendar, a
# stale ETag and the server stopping mid-sync each give their message, leave
# the festival and memo files (and, before anything was written, the sync
# state) as they were, and the next sync completes, also over a connection
# reset before its answer (sent once more); an event changed on the phone is
# a conflict and is not overwritten.
set -euo pipefail
export LC_ALL=C.UTF-8
root=$(cd "$(dirname "$0")/../.." && pwd)
cli="$root/build/native/tools/cli/solvane-cli"
py=/usr/bin/python3   # Debian's, with python3-caldav
tools="$root/scripts/tests.d/caldav_sync_tools.py"
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
status=0
fail() { echo "caldav sync: $*"; status=1; }

free_port() { "$py" -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }
wait_port() {
    for _ in $(seq 1 100); do
        "$py" -c "import socket,sys; socket.create_connection(('127.0.0.1',$1),1)" 2>/dev/null && return 0
        sleep 0.2
    done
    echo "caldav sync: nothing listens on port $1"; exit 1
}

radicale_port=$(free_port); proxy_port=$(free_port); xandikos_port=$(free_port); dead_port=$(free_port)
mkdir -p "$work/data/Reminders" "$work/xdata/Reminders"
"$py" "$tools" radicale "$work/radicale" "$radicale_port" >"$work/radicale.log" 2>&1 &
pids+=($!)
echo none >"$work/mode"
"$py" "$tools" proxy "$proxy_port" "$radicale_port" "$work/mode" >"$work/proxy.log" 2>&1 &
pids+=($!)
wait_port "$radicale_port"; wait_port "$proxy_port"

year=$(date +%Y); next=$((year + 1))
festivals="$work/data/holidays.cfg"; memos="$work/data/Reminders/reminders.cfg"
state="$work/data/Reminders/caldav_sync.state"
printf 'NL,SR,8-12,%s,1940,,,1,1,1\r\n' "$(printf '奶奶的生日' | iconv -f utf-8 -t gbk)" >"$festivals"
dentist="看牙医,$next-03-15,09:30,0,3,7,101"
wedding="结婚纪念日,$next-05-20,08:00,5,1,0,102"
"$py" "$tools" memos "$memos" "$dentist" "$wedding"
printf 'secret\n' >"$work/password"; printf 'wrong\n' >"$work/wrong"
server="http://127.0.0.1:$proxy_port/"

sync() {  # [options]: runs the sync on the files of $work/data; output in $work/out, status in $rc
    rc=0
    "$cli" sync --festivals "$festivals" --memos "$memos" --user alice "$@" >"$work/out" 2>&1 || rc=$?
}
expect() {  # what, exit status, text the output holds
    if [ "$rc" != "$2" ] || ! grep -qF -- "$3" "$work/out"; then
        fail "$1: exit $rc (expected $2), no \"$3\" in:"; sed 's/^/    /' "$work/out"
    fi
}
listing() { "$py" "$tools" list "http://127.0.0.1:$radicale_port/" alice secret "Tavro日历" >"$work/listing"; }
fingerprint() { sha256sum "$festivals" "$memos" | cut -d' ' -f1; }
state_print() { sha256sum "$state" | cut -d' ' -f1; }

# The first sync makes the calendar and sends everything; python-caldav finds it.
sync --server "$server" --password-file "$work/password"
expect "first sync" 0 "新建5 更新0 删除0 冲突0"
echo "caldav sync: the first sync against Radicale said:"; sed 's/^/    /' "$work/out"
listing
echo "caldav sync: python-caldav lists the calendar after it:"; sed 's/^/    /' "$work/listing"
[ "$(wc -l <"$work/listing")" = 5 ] || fail "first sync: $(wc -l <"$work/listing") events on the server, not 5"
if [ "$year" -ge 2025 ] && [ "$year" -le 2027 ]; then
    grep -q '^2027-09-12 奶奶的生日' "$work/listing" || fail "no lunar birthday (八月十二) on 2027-09-12"
fi
[ "$(grep -c ' 奶奶的生日' "$work/listing")" = 3 ] || fail "the birthday is not on three dates"
grep -q "^$next-03-15 09:30 看牙医 \[-PT15M -P1D\]" "$work/listing" || fail "the dentist memo lacks its two alarms"
grep -q "^$next-05-20 08:00 结婚纪念日 FREQ=YEARLY;BYMONTH=5;BYMONTHDAY=20 \[PT0S\]" "$work/listing" ||
    fail "the yearly memo is not one yearly event with its alarm"

sync --server "$server" --password-file "$work/password"
expect "second sync" 0 "新建0 更新0 删除0 冲突0"

# Failures: each says why, leaves the files (and before any write, the
# state) as they were, and the next sync completes.
haircut="理发,$next-04-01,10:00,0,0,0,103"
"$py" "$tools" memos "$memos" "$dentist" "$wedding" "$haircut"
files_before=$(fingerprint)
for case in "wrong password|--server $server --password-file $work/wrong|3|服务器不接受这个用户名和密码（401）|none" \
            "unreachable|--server http://127.0.0.1:$dead_port/ --password-file $work/password|3|连不上服务器 127.0.0.1:$dead_port|none" \
            "plain http to another machine|--server http://dav.example.com/ --password-file $work/password|2|https://|none" \
            "malformed answer|--server $server --password-file $work/password|3|服务器的答复读不懂|malformed" \
            "huge answer|--server $server --password-file $work/password|3|的答复太大（超过 8 MB）|huge" \
            "slow server|--server $server --password-file $work/password|3|久无答复，已放弃|slow"; do
    IFS='|' read -r what options code says mode <<<"$case"
    state_before=$(state_print)
    echo "$mode" >"$work/mode"
    # shellcheck disable=SC2086
    sync $options
    expect "$what" "$code" "$says"
    [ "$(state_print)" = "$state_before" ] || fail "$what: the sync state changed"
    [ "$(fingerprint)" = "$files_before" ] || fail "$what: the festival or memo file changed"
    echo none >"$work/mode"
done
# The next sync completes, also when the connection of its first write is
# reset before any answer (a kept-alive connection the server gave up on):
# that request is sent once more.
echo drop >"$work/mode"
sync --server "$server" --password-file "$work/password"
expect "after the failures, the first write's connection reset" 0 "新建1 更新0 删除0 冲突0"
[ "$(grep -c '^dropped PUT' "$work/proxy.log")" = 1 ] || fail "the proxy did not reset exactly one connection"
echo none >"$work/mode"

# Failures part-way through the writes: the state keeps what was written.
# Each round changes two memos: two writes, the second of which meets the failure.
round=0
for case in "full calendar|full|3|服务器上的空间已满" "server stopped mid-sync|stop|3|中途断开" "stale ETag|stale|1|冲突"; do
    IFS='|' read -r what mode code says <<<"$case"
    round=$((round + 1))
    "$py" "$tools" memos "$memos" "${dentist/看牙医/看牙医（$mode）}" "$wedding" "$haircut" "去银行,$next-06-0$round,09:00,0,0,0,104"
    files_before=$(fingerprint)
    echo "$mode" >"$work/mode"
    sync --server "$server" --password-file "$work/password"
    expect "$what" "$code" "$says"
    [ "$(fingerprint)" = "$files_before" ] || fail "$what: the festival or memo file changed"
    echo none >"$work/mode"
    sync --server "$server" --password-file "$work/password"
    expect "after: $what" 0 "冲突0"
    listing
    [ "$(wc -l <"$work/listing")" = 7 ] || fail "after: $what: $(wc -l <"$work/listing") events, not 7"
    grep -q "看牙医（$mode）" "$work/listing" || fail "after: $what: the edited memo did not arrive"
done

# An edited memo is updated in place; a deleted one's event goes.
uid_before=$(grep ' 看牙医' "$work/listing" | awk '{print $NF}')
"$py" "$tools" memos "$memos" "${dentist/看牙医/看牙医和洗牙}" "$haircut" "去银行,$next-06-0$round,09:00,0,0,0,104"
sync --server "$server" --password-file "$work/password"
expect "edit and delete" 0 "新建0 更新1 删除1 冲突0"
listing
[ "$(wc -l <"$work/listing")" = 6 ] || fail "edit and delete: $(wc -l <"$work/listing") events, not 6"
grep -q "看牙医和洗牙 \[-PT15M -P1D\] $uid_before\$" "$work/listing" || fail "the edited memo is not the same event"
grep -q '结婚纪念日' "$work/listing" && fail "the deleted memo's event is still there"

# An event changed on the phone is a conflict, reported again, never overwritten.
"$py" "$tools" edit "http://127.0.0.1:$radicale_port/" alice secret "Tavro日历" "$next-04-01" "理发改到下午"
"$py" "$tools" memos "$memos" "${dentist/看牙医/看牙医和洗牙}" "理发（十点）,$next-04-01,10:00,0,0,0,103" "去银行,$next-06-0$round,09:00,0,0,0,104"
for round in 1 2; do
    sync --server "$server" --password-file "$work/password"
    expect "conflict, round $round" 1 "新建0 更新0 删除0 冲突1"
    expect "conflict, round $round" 1 "手机上已改为“理发改到下午"
done
listing
grep -q '理发改到下午' "$work/listing" || fail "the phone's change was overwritten"

# xandikos, a server of other habits: its own home, no password checks.
xandikos -d "$work/xandikos" --defaults -l 127.0.0.1 -p "$xandikos_port" >"$work/xandikos.log" 2>&1 &
pids+=($!)
wait_port "$xandikos_port"
cp "$festivals" "$work/xdata/holidays.cfg"; cp "$memos" "$work/xdata/Reminders/reminders.cfg"
festivals="$work/xdata/holidays.cfg"; memos="$work/xdata/Reminders/reminders.cfg"
sync --server "http://127.0.0.1:$xandikos_port/" --password-file "$work/password"
expect "xandikos, first sync" 0 "新建6 更新0 删除0 冲突0"
sync --server "http://127.0.0.1:$xandikos_port/" --password-file "$work/password"
expect "xandikos, second sync" 0 "新建0 更新0 删除0 冲突0"
"$py" "$tools" list "http://127.0.0.1:$xandikos_port/" alice secret "Tavro日历" >"$work/listing" || fail "xandikos: no listing"
[ "$(wc -l <"$work/listing")" = 6 ] || fail "xandikos: $(wc -l <"$work/listing") events, not 6"
grep -q "看牙医和洗牙 \[-PT15M -P1D\]" "$work/listing" || fail "xandikos: the memo lacks its alarms"

[ $status -eq 0 ] && echo "caldav sync: 1 passed, 0 failed" || echo "caldav sync: 0 passed, 1 failed"
exit $status
