#!/usr/bin/env bash
# End-to-end tests of the holiday schedule in Solvane.exe under 64-bit
# Wine: the 休 and 班 badges of October and September 2026 on the real month
# window (pixels of a screenshot in the badge boxes that solvane-cli's layout
# names), the balloon and the day menu of such days, and 显示法定节假日 in the
# settings dialog; and the update check bringing the coming year's schedule
# from offdays.txt beside the version file, served from 127.0.0.1 by a local
# web server named in Solvane.ini. Screenshots go to
# build/win64/artifacts/e2e/offdays-*.png.
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-offdays-e2e
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY no_proxy NO_PROXY

install="$build/e2e/offdays-install"

fresh_install() {  # a new installation with the given settings lines
    # Nothing answers on port 9: the update check gives up quietly.
    install_fresh "$install" "Template=Default" "UpdateVersionUrl=http://127.0.0.1:9/version.txt" \
        "UpdateRetryPause=100" "$@"
}

start_app() {
    ( cd "$install" && "$WINE" Solvane.exe ) >/dev/null 2>&1 &
    app_pid=$!
    read -r L T R B <<<"$(drive wait-calendar 30000 | awk '{print $2, $3, $4, $5}')"
}

show_month() {  # YEAR MONTH through the year and month menus
    drive left-click 29 40 list-menu menu-pick "$1年" left-click 327 40 list-menu menu-pick "$2月" >/dev/null
    park_pointer  # no balloon over the picture
}

shot() {  # name: the month window cut out of a screenshot, in $work/NAME.png (and kept)
    screenshot "$artifacts/offdays-$1.png"
    convert "$artifacts/offdays-$1.png" -crop "$((R - L))x$((B - T))+$L+$T" +repage "$work/$1.png"
}

layout() {  # what solvane-cli says the window draws for YEAR-MONTH
    "$cli" layout "$1" --template Default --today "$(date +%F)" --ini "$install/Solvane.ini" \
        --offdays "$install/Ostrel/offdays.cfg" --festivals "$install/Ostrel/holidays.cfg" 2>/dev/null
}

# The box of a day's badge (from the October layout) or, for a day without
# one, the same corner of its cell: "left top right bottom".
badge_box() {  # layout text, day
    local cell1 cellN box1
    cell1=$(echo "$1" | awk '$1 == "cell" && $2 == 1 { print $3 }' | tr ',' ' ')
    cellN=$(echo "$1" | awk -v d="$2" '$1 == "cell" && $2 == d { print $3 }' | tr ',' ' ')
    box1=$(badge_of_first "$1")
    read -r a b _ _ <<<"$cell1"
    read -r c d _ _ <<<"$cellN"
    read -r l t r bo <<<"$box1"
    echo "$((l + c - a)) $((t + d - b)) $((r + c - a)) $((bo + d - b))"
}
badge_of_first() { echo "$1" | awk '$1 == "text" && $2 == "offday" { print $3; exit }' | tr ',' ' '; }

# Pixels in a box of a window shot: reddish ones (the festival colour of
# Default, 214,48,36) and dark ones (its day numbers, 52,48,46).
ink() {  # shot, "left top right bottom", red|dark
    local l t r b
    read -r l t r b <<<"$2"
    convert "$1" -crop "$((r - l))x$((b - t))+$l+$t" +repage txt:- | awk -F'[(),]' -v kind="$3" '
        NR > 1 {
            red = $3 + 0; green = $4 + 0; blue = $5 + 0
            if (kind == "red" && red > 150 && green < 120 && blue < 120) n++
            if (kind == "dark" && red < 110 && green < 110 && blue < 110) n++
        }
        END { print n + 0 }'
}
has_ink() { [ "$(ink "$1" "$2" "$3")" -ge "${4:-6}" ]; }
no_ink() { [ "$(ink "$1" "$2" "$3")" -eq 0 ]; }

number_box() {  # layout text, day: the day number's box, without the badge's corner
    echo "$1" | awk -v d="$2" '$1 == "text" && ($2 == "day" || $2 == "today") && $4 == d { print $3; exit }' |
        awk -F, '{ print $1, $2, $3 - 16, $4 }'
}

quietly_no_box() { drive no-update-box 3000 >/dev/null; }

centre_of() { read -r l t r b <<<"$1"; echo "$(((l + r) / 2)) $(((t + b) / 2))"; }

# --- October 2026: 休 on 1-7 October, 班 on Saturday 10 October -------------------------
fresh_install
start_app
show_month 2026 10
shot october-2026
october=$(layout 2026-10)
check "solvane-cli places 休 on 1-7 and 班 on 10 October" \
    test "$(echo "$october" | awk '$1 == "text" && $2 == "offday" { printf "%s ", $4 }')" = "休 休 休 休 休 休 休 班 "
for day in 1 2 3 4 5 6 7; do
    check "the 休 badge of 10-$day is drawn in red" has_ink "$work/october-2026.png" "$(badge_box "$october" $day)" red
done
check "the 班 badge of 10-10 is drawn dark" has_ink "$work/october-2026.png" "$(badge_box "$october" 10)" dark
check "and not in red" no_ink "$work/october-2026.png" "$(badge_box "$october" 10)" red
for day in 8 9 12; do
    check "10-$day, an ordinary day, has no badge" \
        eval "no_ink '$work/october-2026.png' '$(badge_box "$october" $day)' red && no_ink '$work/october-2026.png' '$(badge_box "$october" $day)' dark"
done
check "the number of 10-5 is red, a day off" has_ink "$work/october-2026.png" "$(number_box "$october" 5)" red 20
check "the number of 10-12 is not" no_ink "$work/october-2026.png" "$(number_box "$october" 12)" red

read -r hx hy <<<"$(centre_of "$(echo "$october" | awk '$1 == "cell" && $2 == 1 { print $3 }' | tr ',' ' ')")"
# The driver sees that a balloon shows, not its text; solvane-cli day prints the
# text the window gives the balloon, from the same files.
check "resting on 10-1 shows its balloon" test "$(drive hover "$hx" "$hy" balloon 4000)" = "balloon shown"
check "whose text names the holiday: 国庆节假期 休" eval '"$cli" day 2026-10-01 --offdays "$install/Ostrel/offdays.cfg" \
    --ini "$install/Solvane.ini" 2>/dev/null | grep -qx "国庆节假期 休"'
read -r hx hy <<<"$(centre_of "$(echo "$october" | awk '$1 == "cell" && $2 == 10 { print $3 }' | tr ',' ' ')")"
day_menu=$(drive right-click "$hx" "$hy" list-menu menu-close | cut -f2- | tr '\t\n' ' |')
check "the day menu of 10-10 shows 国庆节调休上班 班, then 查看黄历... ($day_menu)" eval 'echo "$day_menu" | grep -q "separator|10005 国庆节调休上班 班|menu separator|10006 查看黄历...|menu separator|10007 查吉日...|10008 拼假...|10009 转到日期...|$"'

# --- September 2026: 班 on Sunday 20 September ------------------------------------------
show_month 2026 9
shot september-2026
september=$(layout 2026-09)
twenty=$(echo "$september" | awk '$1 == "text" && $2 == "offday" && $4 == "班" { print $3; exit }' | tr ',' ' ')
check "solvane-cli places 班 on 9-20 ($twenty) and 休 on 25-27 September" \
    test "$(echo "$september" | awk '$1 == "text" && $2 == "offday" { printf "%s ", $4 }')" = "班 休 休 休 "
check "the 班 badge of 9-20 is drawn dark" has_ink "$work/september-2026.png" "$twenty" dark

# --- 显示法定节假日 off: no badges, no red days ---------------------------------------------
show_month 2026 10
drive tray-menu menu-pick 设置... dialog 设置 20000 check 1024 0 click 1 dialog-gone 设置 10000 >/dev/null
park_pointer
shot october-2026-off
check "unticking 显示法定节假日 writes ShowPublicHolidays=0" grep -q '^ShowPublicHolidays=0' "$install/Solvane.ini"
check "and October shows no 休 at once" no_ink "$work/october-2026-off.png" "$(badge_box "$october" 1)" red
check "nor 班" no_ink "$work/october-2026-off.png" "$(badge_box "$october" 10)" dark
check "and 10-5 has a plain number again" no_ink "$work/october-2026-off.png" "$(number_box "$october" 5)" red
stop_app

# --- the update check brings the coming year once, and refuses a malformed file --------
site="$work/site"
mkdir -p "$site"
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')

serve_folder "$site" "$port"
printf '1.0\r\n' > "$site/version.txt"  # not newer: no announcement
schedule_text() { iconv -f gbk -t utf-8 "$install/Ostrel/offdays.cfg" | tr -d '\r'; }  # the file is GBK
# The user's file, which no package holds: "none" until the download makes it.
user_file_sum() { md5sum < "$install/Ostrel/offdays.cfg" 2>/dev/null || echo none; }
fetches() { grep -c 'GET /offdays.txt' "$work/server.log" 2>/dev/null || true; }
served_install() {
    fresh_install
    sed -i "s|http://127.0.0.1:9/|http://127.0.0.1:$port/|" "$install/Solvane.ini"
    : > "$work/server.log"
}
file_has() {  # line, within 20 s
    for _ in $(seq 200); do grep -qx "$1" <(schedule_text) && return 0; sleep 0.1; done
    return 1
}
fetched() { for _ in $(seq 200); do [ "$(fetches)" -ge 1 ] && return 0; sleep 0.1; done; return 1; }

# The year the program asks for: from November the coming one, before it the current one.
wanted=$(( $(date +%-m) >= 11 ? $(date +%Y) + 1 : $(date +%Y) ))
if [ "$wanted" -le 2026 ]; then
    skip "the update check's schedule" "the shipped file already covers $wanted"
else
    # A whole year as a notice could make it (the program takes nothing less):
    # five holidays, each with a make-up working day on the Saturday after it.
    # In December the last Saturday of the month becomes a make-up working day
    # of the coming 元旦 too, so that the merge shows on this month at once.
    served_year() {  # YEAR, then "yes" for the December make-up day
        python3 - "$1" "$2" <<'PY'
import datetime, sys
year, december = int(sys.argv[1]), sys.argv[2] == "yes"
lines = []
if december:
    last = datetime.date(year - 1, 12, 31)
    lines.append("%s,班,元旦" % (last - datetime.timedelta((last.weekday() - 5) % 7)))
for name, month, day, days in [("元旦", 1, 1, 3), ("春节", 2, 10, 7), ("清明节", 4, 4, 3),
                               ("劳动节", 5, 1, 5), ("国庆节", 10, 1, 7)]:
    first = datetime.date(year, month, day)
    lines += ["%s,休,%s" % (first + datetime.timedelta(i), name) for i in range(days)]
    after = first + datetime.timedelta(days)
    lines.append("%s,班,%s" % (after + datetime.timedelta((5 - after.weekday()) % 7), name))
print("\r\n".join(["# %d" % year] + sorted(lines)), end="\r\n")
PY
    }
    december=no
    [ "$(date +%m)" = 12 ] && december=yes
    makeup=""
    if [ "$december" = yes ]; then
        for day in 31 30 29 28 27 26 25; do
            [ "$(date -d "$(date +%Y)-12-$day" +%u)" = 6 ] && makeup="$(date +%Y)-12-$day" && break
        done
    fi
    served_year "$wanted" "$december" > "$site/offdays.txt"
    served_install
    start_app
    check "the update check merges the served $wanted into Ostrel/offdays.cfg" file_has "$wanted-01-01,休,元旦"
    check "its days once, in the user's file it creates (a comment first), with CR LF line ends" \
        eval '[ "$(schedule_text | grep -c "^$wanted-01-0[123],休,元旦")" = 3 ] &&
              [ "$(tail -c 2 "$install/Ostrel/offdays.cfg" | od -An -c | tr -d " ")" = "\\r\\n" ] &&
              head -1 "$install/Ostrel/offdays.cfg" | grep -q "^#"'
    covered=$("$cli" offdays --offdays "$install/Ostrel/offdays.cfg" 2>/dev/null | head -1)
    check "and solvane-cli reports the file covering 2007-$wanted ($covered)" test "$covered" = "法定节假日安排：2007-${wanted}年"
    if [ -n "$makeup" ]; then
        park_pointer
        today_badge=$(layout "$(date +%Y-%m)" | awk '$1 == "text" && $2 == "offday" { print $3; exit }' | tr ',' ' ')
        merged_shows_badge() { shot merged && has_ink "$work/merged.png" "$today_badge" dark; }
        check "the month is rebuilt at once: $makeup carries the 班 of the coming 元旦 ($today_badge)" \
            eventually merged_shows_badge
    else
        skip "the rebuilt month" "this month holds no make-up day of the coming 元旦"
    fi
    stop_app
    : > "$work/server.log"
    before=$(md5sum < "$install/Ostrel/offdays.cfg")
    start_app
    sleep 5
    check "at the next start the year is there: offdays.txt is not asked for again" test "$(fetches)" = 0
    check "and the file stays as it was" test "$(md5sum < "$install/Ostrel/offdays.cfg")" = "$before"
    stop_app

    printf '%s\r\n' "$wanted-01-01,休,元旦" "$wanted-02-30,休,春节" > "$site/offdays.txt"
    served_install
    shipped=$(user_file_sum)
    start_app
    check "a served file with a day that does not exist is fetched" fetched
    sleep 2
    check "and changes nothing" test "$(user_file_sum)" = "$shipped"
    check "and shows nothing" quietly_no_box
    stop_app

    printf '%s\r\n' "2026-10-08,休,国庆节" "$wanted-01-01,休,元旦" > "$site/offdays.txt"
    served_install
    start_app
    check "a served file that would change a past year is fetched" fetched
    sleep 2
    check "and changes nothing either" test "$(user_file_sum)" = "$shipped"
    stop_app

    # A year far ahead, a whole year of 休, as one bad publication served it:
    # refused, and the year asked for is still taken at the next start.
    python3 -c 'import datetime
d = datetime.date(2098, 1, 1)
while d.year == 2098:
    print("%s,休,春节" % d, end="\r\n")
    d += datetime.timedelta(1)' > "$site/offdays.txt"
    served_install
    start_app
    check "a served year other than the one asked for is fetched" fetched
    sleep 2
    check "and changes nothing" test "$(user_file_sum)" = "$shipped"
    stop_app
    served_year "$wanted" no > "$site/offdays.txt"
    : > "$work/server.log"
    start_app
    check "and at the next start the right $wanted is taken" file_has "$wanted-01-01,休,元旦"
    stop_app
fi

e2e_summary offdays_e2e
