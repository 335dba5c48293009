#!/usr/bin/env bash
# End-to-end tests of the almanac as the user reads it: the balloon over a day
# shows its longest line whole, and the 黄历 page of a day opens from the day
# menu and by double-clicking the day, shows what `solvane-cli day` prints for
# it, breaks 宜 and 忌 between items in boxes as tall as their lines, and
# walks to the next day. Solvane.exe from an installation laid out like
# build/win64/dist, under 64-bit Wine in the virtual display, driven by
# solvane-e2e.exe. Screenshots go to build/win64/artifacts/e2e/.
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-almanac-e2e

install="$build/e2e/almanac-install"
config="$install/Ostrel/Templates/Default/config.ini"

install_fresh "$install" "Template=Default"

start_app() {
    ( cd "$install" && "$WINE" Solvane.exe ) >/dev/null 2>&1 &
    app_pid=$!
    drive wait-calendar 60000 >/dev/null
}

contains() { grep -qxF -- "$2" <<<"$1"; }

# December 2026, whose 8th carries the longest balloon line of the month:
# "本月节气：大雪 12月7日 10:52  冬至 12月22日 04:50".
year=2026 month=12
cells() { python3 "$root/scripts/tests.d/month_cells.py" "$config" "$year" "$month" centre "$@"; }

start_app
this_year=$(date +%Y)
if [ "$this_year" -gt "$year" ] && [ "$this_year" -le $((year + 30)) ]; then
    drive left-click 29 40 list-menu menu-pick "${year}年" >/dev/null
elif [ "$this_year" -lt "$year" ] && [ "$this_year" -ge $((year - 30)) ]; then
    drive left-click 131 40 list-menu menu-pick "${year}年" >/dev/null
fi
if [ "$(date +%Y-%-m)" != "$year-$month" ]; then
    drive left-click 327 40 list-menu menu-pick "${month}月" >/dev/null
fi
if [ "$this_year" -gt $((year + 30)) ] || [ "$this_year" -lt $((year - 30)) ]; then
    skip "December $year" "out of reach of the year menus from $this_year"
    e2e_summary "almanac page e2e"
    exit $?
fi

# --- the balloon shows its widest line whole ---------------------------------------
park_pointer
shown=$(drive hover $(cells 8) balloon 15000)
screenshot "$artifacts/balloon-$year-12-08.png"  # the balloon has faded in
read -r _ bl bt br bb <<<"$(drive balloon-rect)"
check "resting on 8 December shows the balloon ($shown)" test "$shown" = "balloon shown"
# In the balloon's colours (the Default template: text 96,32,22 on 255,251,242)
# each line is a band of text pixels. The widest band is the line of the
# month's terms; it ends in "04:50", and a whole "0" ends in its right-hand
# stroke: the band's last column of ink is inked through its middle rows, where
# a cut "0" (a "C") shows only the ends of its arcs. The line also ends as far
# from the balloon's right edge as it begins from its left one.
ink=$(convert "$artifacts/balloon-$year-12-08.png" -crop "$((br - bl))x$((bb - bt))+$bl+$bt" +repage txt:- |
    python3 -c '
import re, sys
ink = set()
width = 0
for line in sys.stdin:
    m = re.match(r"(\d+),(\d+): \((\d+),(\d+),(\d+)", line)
    if not m:
        continue
    x, y, r, g, b = map(int, m.groups())
    width = max(width, x + 1)
    # the text colour and its softened edges: reddish-brown and dark
    if r < 200 and r > g + 20 and g < 170 and b < 160:
        ink.add((x, y))
if not ink:
    print("none")
    sys.exit()
rows = sorted({y for _, y in ink})
bands, start = [], rows[0]
for previous, y in zip(rows, rows[1:] + [None]):
    if y != previous + 1:
        bands.append((start, previous))
        start = y
def right_of(band):
    return max(x for x, y in ink if band[0] <= y <= band[1])
widest = max(bands, key=right_of)
right = right_of(widest)
left = min(x for x, _ in ink)
top, bottom = widest
middle = [y for y in range(top, bottom + 1) if top + (bottom - top) / 4 <= y <= bottom - (bottom - top) / 4]
stroke = sum(1 for y in middle if (right, y) in ink or (right - 1, y) in ink)
print(left, width - 1 - right, right - left + 1, "whole" if stroke * 2 >= len(middle) else "cut")
')
read -r ink_left ink_right ink_width last_glyph <<<"$ink"
check "the balloon's widest line ends in a whole \"0\" ($ink: left margin, right margin, width, last glyph)" \
    test "${last_glyph:-}" = whole
check "and ends inside the balloon, as far from its right edge as it begins from its left ($ink)" \
    eval '[ "$ink" != none ] && [ "$ink_right" -ge $((ink_left - 3)) ]'
# 5 December forbids some fifty activities: its 忌 list wraps inside a balloon
# as wide as the month's terms, neither cut nor stretched across the screen.
park_pointer
drive hover $(cells 5) balloon 15000 >/dev/null
screenshot "$artifacts/balloon-$year-12-05.png"
read -r _ ll lt lr lb <<<"$(drive balloon-rect)"
check "the balloon of 5 December wraps its long 忌 list at the width of the month's terms ($((lr - ll)) vs $((br - bl)) pixels)" \
    eval '[ $((lr - ll)) -le $((br - bl + 2)) ] && [ $((lr - ll)) -ge $((br - bl - 2)) ] && [ $((lb - lt)) -gt $((bb - bt)) ]'
park_pointer

# --- the page from the day menu ---------------------------------------------------
# What the command-line tool prints for a day: the page's "名：值" lines (the
# dates aside, which the page shows in its heading) and the 时辰 as "a|b|c" rows.
cli_entries() { "$cli" day "$1" | sed -n '/=====【黄历】=====/,$p' | grep '：' | grep -v '^时辰：\|^阳历：\|^旧历：'; }
cli_hours() { "$cli" day "$1" | sed -n '/^时辰：/,$p' | tail -n +2 | sed 's/^ *//; s/ /|/g'; }
# The page's own entries out of a `read`: a box breaks an entry between its
# items, and a line of no "名：" goes on with the entry above it.
page_lines() {
    tr -d '\r' <<<"$1" | awk '
        /：/ || /^(control|row|combo|date|item)\t/ { if (NR > 1) print entry; entry = $0; next }
        { entry = entry " " $0 }
        END { print entry }' | sed -E 's/^control\t(1436|1437|1432)\tEdit\t//'
}
page_rows() { grep '^row' <<<"$1" | cut -f5; }

same_page() {  # a `read` of the page, the date: every entry and 时辰 the CLI prints is on it
    local read=$1 date=$2 line missing=0
    while IFS= read -r line; do
        contains "$(page_lines "$read")" "$line" || { echo "missing: $line"; missing=1; }
    done < <(cli_entries "$date")
    [ "$(page_rows "$read")" = "$(cli_hours "$date")" ] || { echo "hours differ"; missing=1; }
    return $missing
}

menu=$(drive right-click $(cells 8) list-menu menu-close | cut -f2- | tr '\t\n' ' |')
check "the day menu has 查看黄历... after its own separator, then the planning commands ($menu)" \
    eval '[[ "$menu" == *"|menu separator|10006 查看黄历...|menu separator|10007 查吉日...|10008 拼假...|10009 转到日期...|" ]]'
# The pointer leaves the cell first, so that no balloon stands where the next
# click goes.
park_pointer
page=$(drive right-click $(cells 8) list-menu menu-pick 查看黄历... dialog 黄历 30000 read)
import -window root "$artifacts/almanac-page-$year-12-08.png" 2>/dev/null
check "查看黄历... opens the page of 8 December" contains "$page" "control	1430	Static	$year年12月8日 星期二"
check "the page shows the lunar date and the zodiac year" contains "$page" "control	1431	Static	旧历二〇二六年十月三十  马年"
check "the page shows every entry and 时辰 that solvane-cli day prints for $year-12-08" same_page "$page" "$year-12-08"
check "the page names the day's 值神 with 黄道 or 黑道" eval 'grep -q "^值神：.*（[黄黑]道日）$" <<<"$(page_lines "$page")"'
check "the page lists the twelve 时辰" test "$(page_rows "$page" | wc -l)" = 12

next=$(drive dialog 黄历 5000 click 1435 read)
check "后一天 walks to 9 December" contains "$next" "control	1430	Static	$year年12月9日 星期三"
check "and shows what solvane-cli day prints for $year-12-09" same_page "$next" "$year-12-09"
back=$(drive dialog 黄历 5000 click 1434 click 1434 read)
check "前一天 twice walks back to 7 December" contains "$back" "control	1430	Static	$year年12月7日 星期一"

size=$(drive dialog 黄历 5000 size | grep '^size' | cut -d' ' -f2-)
grown=$(drive dialog 黄历 5000 resize 120 80 size | grep '^size' | cut -d' ' -f2-)
read -r w h <<<"$size"
check "the page can be made larger ($size -> $grown)" test "$grown" = "$((w + 120)) $((h + 80))"
import -window root "$artifacts/almanac-page-larger.png" 2>/dev/null

check "Esc closes the page" drive dialog 黄历 5000 press-escape dialog-gone 黄历 10000

# --- 宜 and 忌 broken between items, each box as tall as its lines -----------------
# 5 December: 宜 无, and 忌 some fifty activities.
items_of() { "$cli" day "$1" | sed -n '/=====【黄历】=====/,$p' | grep "^$2：" | sed "s/^$2：//" | tr ' ' '\n'; }
whole_items() {  # the `lines` of a box, its lead, the day: every line is whole items of the day
    local line word bad=0
    while IFS= read -r line; do
        for word in ${line#"$2"}; do
            grep -qxF -- "$word" <<<"$(items_of "$3" "${2%：}")" || { echo "cut item: $word"; bad=1; }
        done
    done < <(grep '^line' <<<"$1" | cut -f3- | tr -d '\r')
    return $bad
}
park_pointer
drive double-click $(cells 5) dialog 黄历 30000 >/dev/null
import -window root "$artifacts/almanac-page-$year-12-05.png" 2>/dev/null
yi=$(drive dialog 黄历 5000 lines 1436)
ji=$(drive dialog 黄历 5000 lines 1437)
check "5 December's 宜 is one line, 宜：无" test "$(grep '^line' <<<"$yi" | cut -f3- | tr -d '\r')" = "宜：无"
check "its 忌 of $(items_of "$year-12-05" 忌 | wc -l) items takes several lines ($(grep -c '^line' <<<"$ji"))" \
    test "$(grep -c '^line' <<<"$ji")" -gt 2
check "every line of 忌 holds whole items only (no \"会亲|友\")" whole_items "$ji" 忌： "$year-12-05"
check "the 忌 box shows all its lines without a scroll bar, and so does 宜" \
    eval 'contains "$ji" "fits	1437	yes" && contains "$yi" "fits	1436	yes"'
drive dialog 黄历 5000 resize 200 0 >/dev/null
wide=$(drive dialog 黄历 5000 lines 1437)
check "made wider, the page breaks 忌 again between items, in fewer lines ($(grep -c '^line' <<<"$wide")), all in view" \
    eval 'whole_items "$wide" 忌： "$year-12-05" && contains "$wide" "fits	1437	yes" &&
          [ "$(grep -c "^line" <<<"$wide")" -lt "$(grep -c "^line" <<<"$ji")" ]'
drive dialog 黄历 5000 press-escape dialog-gone 黄历 10000 >/dev/null

# --- the page by double-clicking a day ---------------------------------------------
park_pointer
page=$(drive double-click $(cells 22) dialog 黄历 30000 read)
check "double-clicking 22 December (冬至) opens its page" contains "$page" "control	1430	Static	$year年12月22日 星期二"
check "and shows what solvane-cli day prints for it" same_page "$page" "$year-12-22"
check "a day fit for nothing says 宜：无 first and 忌：诸事不宜 under it" \
    eval 'grep -q "^control	1436	Edit	宜：无$" <<<"$page" && grep -q "^control	1437	Edit	忌：诸事不宜$" <<<"$page"'
drive dialog 黄历 5000 click 1 dialog-gone 黄历 10000 >/dev/null
check "关闭 closes it" drive no-dialog 黄历 1000

stop_app
e2e_summary "almanac page e2e"
