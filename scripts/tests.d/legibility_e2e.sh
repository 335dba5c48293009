#!/usr/bin/env bash
# Whether the small Chinese text of the month window keeps all its strokes,
# at 100 % and 150 %: every day cell's texts (the day number and the lunar
# day, festival or solar term under it) in screenshots of the real window
# under Wine, December 2026, October 2026 and June 2028 (闰五月), compared by
# scripts/tests.d/cell_text_likeness.py with the same texts rasterised
# cleanly by FreeType at eight times their size and reduced. A text whose
# strokes were dropped or merged (初 drawn like 刎, 国庆节 like 回庆亏) scores
# well below the same text drawn whole; the 12-pixel text at 100 % must score
# about as well as the 18-pixel text at 150 %, where hinting cannot break a
# stroke. The test build runs with its clock at 2026-12-09, and the boxes
# come from solvane-cli's layout of the same month. Screenshots and the
# scores of every text are kept in build/win64/artifacts/e2e/legibility-*.
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-legibility-e2e

install="$build/e2e/legibility-install"
today=2026-12-09
config="$root/data/Ostrel/Templates/Default/config.ini"
python=/usr/bin/python3  # Debian's, which has Pillow and NumPy (scripts/setup.sh)
[ -x "$python" ] || python=python3

# The lowest score a text may have. Texts drawn whole score 0.97 and more;
# drawn without smoothing, as Wine's GDI+ fills outlines, the 12-pixel texts
# that lose strokes score 0.72 to 0.85 (冬至, 初十, the 6 of 16).
lowest=0.9
# How far the mean score at 100 % may lie below the one at 150 %.
below_larger=0.04

start_app() { start_test_build "$install" "$today"; }

score() {  # YEAR-MM: the window's shot and the scores of its cells' texts, kept; prints "mean worst text"
    local name="legibility-$1-$scale"
    park_pointer
    screenshot "$work/screen.png"
    convert "$work/screen.png" -crop "$((R - L))x$((B - T))+$L+$T" +repage "$artifacts/$name.png"
    "$cli" layout "$1" --template Default --today "$today" --ini "$install/Solvane.ini" \
        --offdays "$install/Ostrel/offdays.cfg" --festivals "$install/Ostrel/holidays.cfg" >"$work/layout.txt" 2>/dev/null
    "$python" scripts/tests.d/cell_text_likeness.py "$artifacts/$name.png" "$work/layout.txt" "$config" \
        $((96 * scale / 100)) >"$artifacts/$name.txt"
    awk '$1 == "mean" { print $2, $4, $5 }' "$artifacts/$name.txt"
}

at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a + 0 >= b + 0) }'; }

# The measure itself first: December 2026 at 100 % as the 32-bit release drew
# it when GDI+ filled the outlines (a screenshot from the 32-bit guest, before
# the program filled them itself), scored against the boxes of the cells whose
# texts have not changed since, must fail where today's drawing passes.
before="scripts/tests.d/legibility_before"
"$python" scripts/tests.d/cell_text_likeness.py "$before/2026-12-100.png" "$before/2026-12-layout.txt" \
    "$config" 96 >"$artifacts/legibility-before-2026-12-100.txt"
read -r _ m _ w text <<<"$(tail -1 "$artifacts/legibility-before-2026-12-100.txt")"
check "the window drawn with strokes lost (December 2026 at 100 % before the fix) fails: $text scores $w, the mean $m" \
    eval '! at_least "$w" "$lowest"'

declare -A mean worst
months="2026-12 2026-10 2028-06"
for scale in 100 150; do
    set_dpi $((96 * scale / 100))
    start_app
    for month in $months; do
        show_month_by_menus "${month%-*}" "$((10#${month#*-}))"
        read -r m w text <<<"$(score "$month")"
        mean[$month-$scale]=$m worst[$month-$scale]=$w
        check "at $scale % every cell text of $month keeps its strokes (the least like its clean drawing, $text, scores $w)" \
            at_least "$w" "$lowest"
    done
    stop_app
done
set_dpi 96

for month in $months; do
    check "the 12-pixel texts of $month at 100 % read as well as the 18-pixel ones at 150 % (${mean[$month-100]} against ${mean[$month-150]})" \
        at_least "${mean[$month-100]}" "$(awk -v a="${mean[$month-150]}" -v d="$below_larger" 'BEGIN { print a - d }')"
done

e2e_summary "legibility e2e"
