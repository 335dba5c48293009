#!/usr/bin/env bash
# The years ahead as a Chinese user reads them, at 100 % and 150 %: January
# and February 2027, for which the shipped holiday schedule has no notice
# yet, show the days off the holiday law fixes (元旦 1月1日, 春节 2月5日-8日)
# in a colour of their own, with the note that the year's arrangement is not
# published on the month; 2028, whose 五月 has a leap month, shows 端午节
# once, on 28 May, and not again on 闰五月初五 (27 June). The boxes come from
# solvane-cli's layout of the same month, scaled for 150 %. The test build of
# the program runs with its clock at 2026-12-08 and no update download, so
# that the schedule is the shipped one. Screenshots are kept in
# build/win64/artifacts/e2e/years-*.png and are meant to be looked at.
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-years-e2e

install="$build/e2e/years-install"
today=2026-12-08

start_app() { start_test_build "$install" "$today"; }

shot() {  # name: the month window cut out of the settled screen, kept as years-NAME.png
    park_pointer
    screenshot "$work/screen.png"
    convert "$work/screen.png" -crop "$((R - L))x$((B - T))+$L+$T" +repage "$artifacts/years-$1.png"
}

layout() {  # what solvane-cli says the window draws for YEAR-MONTH, at 100 %
    "$cli" layout "$1" --template Default --today "$today" --ini "$install/Solvane.ini" \
        --offdays "$install/Ostrel/offdays.cfg" --festivals "$install/Ostrel/holidays.cfg" 2>/dev/null
}

scale_box() {  # "l,t,r,b" at 100 % -> "l t r b" at the shown scale, grown outwards
    awk -F, -v s="$scale" '{ printf "%d %d %d %d\n", $1 * s / 100, $2 * s / 100, ($3 * s + 99) / 100, ($4 * s + 99) / 100 }'
}

box_of() {  # layout, role, text: its box at the shown scale
    awk -v role="$2" -v text="$3" '$1 == "text" && $2 == role && $4 == text { print $3; exit }' <<<"$1" | scale_box
}

second_line_box() {  # layout, day: the lower half of the day's cell, at the shown scale
    awk -v d="$2" '$1 == "cell" && $2 == d { print $3; exit }' <<<"$1" |
        awk -F, -v s="$scale" '{ printf "%d %d %d %d\n", $1 * s / 100, ($2 + $4) / 2 * s / 100, $3 * s / 100, $4 * s / 100 }'
}

# Pixels of a colour in a box of a kept shot: within 40 per channel of "R G B".
ink() {  # shot name, "left top right bottom", "R G B"
    local l t r b
    read -r l t r b <<<"$2"
    convert "$artifacts/years-$1.png" -crop "$((r - l))x$((b - t))+$l+$t" +repage txt:- | awk -F'[(),]' -v want="$3" '
        BEGIN { split(want, c, " ") }
        function near(a, b) { return a - b < 40 && b - a < 40 }
        NR > 1 && near($3 + 0, c[1]) && near($4 + 0, c[2]) && near($5 + 0, c[3]) { n++ }
        END { print n + 0 }'
}
has_ink() { [ "$(ink "$1" "$2" "$3")" -ge 4 ]; }
no_ink() { [ "$(ink "$1" "$2" "$3")" -eq 0 ]; }

# Default's colours: the law's 休 is its festival red halfway to its grey
# second line; the published schedule's 休 and festivals are that red; the
# list and its note are brown-red.
statutory="171 83 73"
published="214 48 36"
list="150 52 38"
festival="214 48 36"
lunar="128 118 110"
note="2027年放假安排尚未发布（仅显示法定假日）"

install_layouts() {  # the layouts of the four months, from the installed data
    january=$(layout 2027-01)
    february=$(layout 2027-02)
    may=$(layout 2028-05)
    june=$(layout 2028-06)
}

scale=100
set_dpi 96
start_app
install_layouts
check "solvane-cli puts the law's 休 on 2027-01-01 alone" \
    test "$(awk '$1 == "text" && $2 == "offday" { n++ } END { print n }' <<<"$january")" = 1
check "and on 2027-02-05 to 08" \
    test "$(awk '$1 == "text" && $2 == "offday" { printf "%s ", $4 }' <<<"$february")" = "休 休 休 休 "
check "and the note once on each month of 2027" \
    test "$(grep -c "^text note .* $note$" <<<"$january$february")" = 2
check "2028 has 端午节 once, in May" test "$(grep -c ' 端午节$' <<<"$may$june")" = 1

for scale in 100 150; do
    if [ "$scale" = 150 ]; then
        stop_app
        set_dpi 144
        start_app
    fi
    check "at $scale % the window is $(scaled 360) x $(scaled 500)" \
        test "$((R - L)) x $((B - T))" = "$(scaled 360) x $(scaled 500)"

    show_month_by_menus 2027 1
    shot "2027-01-$scale"
    check "at $scale % the 休 of 1 January 2027 is drawn in the law's own colour" \
        has_ink "2027-01-$scale" "$(box_of "$january" offday 休)" "$statutory"
    check "not in the published schedule's red" no_ink "2027-01-$scale" "$(box_of "$january" offday 休)" "$published"
    check "and the month says: $note" has_ink "2027-01-$scale" "$(box_of "$january" note "$note")" "$list"

    show_month_by_menus 2027 2
    shot "2027-02-$scale"
    for day in 5 6 7 8; do
        box=$(awk '$1 == "text" && $2 == "offday" { print $3 }' <<<"$february" | sed -n "$((day - 4))p" | scale_box)
        check "at $scale % 2月${day}日 carries the law's 休" has_ink "2027-02-$scale" "$box" "$statutory"
    done
    check "and February says so too" has_ink "2027-02-$scale" "$(box_of "$february" note "$note")" "$list"

    show_month_by_menus 2028 5
    shot "2028-05-$scale"
    check "at $scale % 28 May 2028 shows 端午节" has_ink "2028-05-$scale" "$(second_line_box "$may" 28)" "$festival"
    show_month_by_menus 2028 6
    shot "2028-06-$scale"
    check "and 27 June, 闰五月初五, shows no festival" \
        no_ink "2028-06-$scale" "$(second_line_box "$june" 27)" "$festival"
    # 闰五月初一: the month's name, in the grey of the lunar days, where the
    # shipped list's 奥林匹克日 (switched off) would have hidden it.
    check "while 23 June shows 闰五月 in the grey of the lunar days" \
        eval 'grep -q "^text lunar [0-9,]* 闰五月$" <<<"$june" &&
            has_ink "2028-06-$scale" "$(second_line_box "$june" 23)" "$lunar" &&
            no_ink "2028-06-$scale" "$(second_line_box "$june" 23)" "$festival"'
done
stop_app
set_dpi 96

e2e_summary "years ahead e2e"
