#!/usr/bin/env bash
# End-to-end tests of the month window's pictures kept from one start to the
# next (Ostrel/drawing.cache): the start after the first lays its month from
# them and shows the same window, pixel for pixel, at 100 % and at 175 %; a
# file damaged or left by another build is drawn over as if it were not
# there. Solvane.exe from an installation laid out like build/win64/dist,
# under 64-bit Wine in the virtual display, driven by solvane-e2e.exe.
. "$(dirname "$0")/../e2e-lib.sh"
e2e_begin wine-kept-drawing-e2e

install="$build/e2e/kept-drawing-install"
kept="$install/Ostrel/drawing.cache"
install_fresh "$install" "Template=Default" "ShowNotifyWindowOnScreen=0"

# One start until the month is up and the program idle, a picture of the
# month window in $artifacts/NAME.png, and 退出. Only the window's own
# rectangle: the rest of the screen holds Wine's tray window, which its own
# process draws when it gets to it (and, on a busy machine, after the month).
# At 175 % the window is taller than the screen: what is on it.
start_and_shoot() {  # name
    local l t r b
    ( cd "$install" && "$WINE" Solvane.exe ) >/dev/null 2>&1 &
    app_pid=$!
    read -r _ l t r b _ <<<"$(drive wait-calendar 60000)"
    park_pointer
    drive idle 30000 >/dev/null
    screenshot "$work/screen.png"
    l=$((l < 0 ? 0 : l)) t=$((t < 0 ? 0 : t)) r=$((r > 1280 ? 1280 : r)) b=$((b > 800 ? 800 : b))
    convert "$work/screen.png" -crop "$((r - l))x$((b - t))+$l+$t" +repage "$artifacts/$1.png"
    stop_app
}
# Whether two pictures in $artifacts are the same in every pixel; if not,
# how many differ, for the failure's log.
same_window() {  # shot, shot
    local differing
    differing=$(compare -metric AE "$artifacts/$1.png" "$artifacts/$2.png" null: 2>&1)
    [ "$differing" = 0 ] || { echo "        pixels that differ: $differing" >&2; return 1; }
}
written() { stat -c %Y.%s "$kept" 2>/dev/null; }

for dpi in 96 168; do
    set_dpi "$dpi"
    before=$(written)
    start_and_shoot "kept-drawing-$dpi-first"
    check "at $dpi DPI the start keeps its month's pictures in Ostrel/drawing.cache" \
        eval '[ -s "$kept" ] && [ "$(written)" != "$before" ]'
    first_written=$(written)
    sleep 1  # a file written again would show another time
    start_and_shoot "kept-drawing-$dpi-next"
    check "the next start shows the same month window, pixel for pixel" \
        same_window "kept-drawing-$dpi-first" "kept-drawing-$dpi-next"
    check "and drew nothing anew: the file is not written again" test "$(written)" = "$first_written"
done

head -c 300000 /dev/urandom >"$kept"
start_and_shoot kept-drawing-damaged
check "a damaged file changes nothing on the window" same_window kept-drawing-168-first kept-drawing-damaged
check "and is written anew" eval '[ "$(written)" != "" ] && [ "$(stat -c %s "$kept")" != 300000 ]'
sleep 1
rewritten=$(written)
start_and_shoot kept-drawing-after-damage
check "which the next start lays its month from" test "$(written)" = "$rewritten"

# A day's first start: the start before drew the next day's texts ahead and
# kept them, so the first picture is laid without GDI+, which loads after it.
# The test build's clock gives the days; Wine tells when each DLL loads.
start_on() {  # day YYYY-MM-DD: its log in $work/DAY.log
    ( cd "$install" && SOLVANE_TEST_CLOCK="$1 09:00:00" WINEDEBUG=+loaddll "$WINE" Solvane.exe --timing ) \
        >/dev/null 2>"$work/$1.log" &
    app_pid=$!
    drive wait-calendar 60000 >/dev/null
    drive idle 30000 >/dev/null
    stop_app
}
gdiplus_after_picture() {  # day: the first picture came before gdiplus.dll loaded
    grep -a -m1 -o 'start-up: first picture\|gdiplus\.dll' "$work/$1.log" | grep -q '^start-up'
}
install_fresh "$install" "Template=Default" "ShowNotifyWindowOnScreen=0"
cp "$build/e2e/Solvane-seams.exe" "$install/Solvane.exe"
for days in "2026-03-10 2026-03-11" "2026-03-31 2026-04-01"; do
    set -- $days
    start_on "$1"
    start_on "$2"
    check "after a start on $1, the first start on $2 lays its first picture without GDI+" gdiplus_after_picture "$2"
done

e2e_summary "kept drawing e2e"
