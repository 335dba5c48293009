#!/usr/bin/env bash
# No text of a day cell is cut: in every month of 2026-2028, in both shipped
# skins, with the shipped festivals and with every festival switched on plus
# the user's own birthdays, each second line and each line of the upcoming
# list as solvane-cli's layout prints it (after shortening, at the size it is
# drawn) fits its box, reckoned as the month window reckons it (a double-byte
# character one em, a single-byte one 0.6 em, a sixth of an em free at each
# end); only the user's own long names end in "…". 闰五月 begins on
# 2028-06-23 and says so.
set -euo pipefail
export LC_ALL=C.UTF-8
root=$(cd "$(dirname "$0")/../.." && pwd)
cli="$root/build/native/tools/cli/solvane-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

shipped="$root/data/Ostrel/holidays.cfg"
# Every rule on, and three birthdays of the user's, two too long for a cell.
iconv -f GBK -t UTF-8 "$shipped" | awk -F, -v OFS=, '{ $8 = "1"; print }' >"$work/all.utf8"
printf '%s\r\n' "YL,SR,3-18,妈妈生日,,,,1,1,1" "YL,SR,5-27,妈妈的生日,,,,1,1,1" \
    "YL,SR,8-28,Grandpa's birthday,,,,1,1,1" >>"$work/all.utf8"
iconv -f UTF-8 -t GBK "$work/all.utf8" >"$work/all.cfg"

for skin in Default Night; do
    for year in 2026 2027 2028; do
        for month in 01 02 03 04 05 06 07 08 09 10 11 12; do
            for list in shipped all; do
                file=$shipped
                [ $list = all ] && file="$work/all.cfg"
                "$cli" layout "$year-$month" --template "$skin" --today "$year-$month-01" --festivals "$file" \
                    >"$work/$skin-$year-$month-$list.txt"
            done
        done
    done
done

python3 - "$work" "$root/data/Ostrel/Templates" <<'PY'
import glob, os, re, sys

work, templates = sys.argv[1], sys.argv[2]
own_long = ["妈妈的生日", "Grandpa's birthday"]
line_re = re.compile(r"^text (lunar|festival|solarterm|list|note) (-?\d+),(-?\d+),(-?\d+),(-?\d+) (?:size=(\d+) )?(.*)$")


def template_sizes(skin):
    values = {}
    for raw in open(os.path.join(templates, skin, "config.ini"), encoding="gbk"):
        if "=" in raw:
            key, value = raw.split("=", 1)
            values[key.strip().upper()] = value.strip()
    return int(values["DAYROW2_FONT_SIZE"]), int(values["LISTITEM_FONT_SIZE"])


def width_sixtieths(text):
    wide = sum(1 for c in text if ord(c) > 0x7F)
    return 60 * wide + 36 * (len(text) - wide) + 20


failures = []
checked = 0
for path in sorted(glob.glob(os.path.join(work, "*.txt"))):
    skin, year, month, which = os.path.basename(path)[:-4].split("-")
    cell_size, list_size = template_sizes(skin)
    for raw in open(path, encoding="utf-8"):
        m = line_re.match(raw.rstrip("\n"))
        if not m:
            continue
        role, left, _, right, _, size, text = m.groups()
        size = int(size) if size else (list_size if role in ("list", "note") else cell_size)
        width = int(right) - int(left)
        checked += 1
        where = f"{skin} {year}-{month} ({which}): {role} {text!r}"
        if width_sixtieths(text) * size > width * 60:
            failures.append(f"{where} at {size} px is wider than its {width} px")
        if role in ("lunar", "festival", "solarterm") and text.endswith("…"):
            if which != "all" or not any(name.startswith(text[:-1]) for name in own_long):
                failures.append(f"{where} is cut")
        if role in ("lunar", "festival", "solarterm") and size < cell_size - cell_size // 6:
            failures.append(f"{where} is drawn at {size} px, below five sixths of {cell_size}")

june = open(os.path.join(work, "Default-2028-06-shipped.txt"), encoding="utf-8").read()
cell = re.search(r"^cell 23 (\d+),(\d+),(\d+),(\d+)$", june, re.M)
left, top, right, bottom = (int(v) for v in cell.groups())
leap = [t for t in re.findall(r"^text lunar (\d+),(\d+),(\d+),(\d+) (.*)$", june, re.M)
        if int(t[0]) == left and int(t[1]) >= top and int(t[3]) <= bottom]
if [t[4] for t in leap] != ["闰五月"]:
    failures.append(f"2028-06-23 shows {leap!r}, not 闰五月")
october = open(os.path.join(work, "Default-2026-10-shipped.txt"), encoding="utf-8").read()
if not re.search(r"^text lunar \S+ 九月$", october, re.M):
    failures.append("九月初一 (2026-10-10) does not show 九月")

for failure in failures[:40]:
    print(failure)
if failures:
    print(f"cell texts: {len(failures)} of {checked} texts do not fit")
    sys.exit(1)
print(f"cell texts: all {checked} texts of 2026-2028 fit their boxes in both skins; 2028-06-23 shows 闰五月")
PY
