#!/usr/bin/env bash
# Renders a known month with every shipped template through render-month (the
# month window's own layout and GDI+ drawing, under Wine) and checks real
# pixels of the pictures: today's ring, the memo dot, transparency outside the
# card, and every pixel against the same month with every text drawn anew
# (no text's picture kept from the first drawing). The pictures stay in
# build/win64/renders/ for people to look at.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
# A prefix and a display of its own, so that it can run beside the others.
export WINEPREFIX="$root/.cache/wine-render"
. "$root/scripts/wine-env.sh"
stop_wine() {
    "$WINESERVER" -k 2>/dev/null || true
    stop_display
}
start_display
trap stop_wine EXIT
fresh_wine_prefix
tool="$root/build/win64/tools/render-month/render-month.exe"
out="$root/build/win64/renders"
mkdir -p "$out"
data=$("$WINE" winepath -w "$root/data" 2>/dev/null | tr -d '\r')

status=0
for folder in "$root"/data/Ostrel/Templates/*/; do
    name=$(basename "$folder")
    # A single-digit today keeps the ring's outer edge clear of the number.
    for case in "2015-02 2015-02-05 7" "2014-08 2014-08-07 1"; do
        set -- $case
        picture="$out/$name-$1.png"
        inplace="$out/$name-$1-in-place.png"
        if ! "$WINE" "$tool" "$1" --data "$data" --template "$name" --today "$2" --first-weekday "$3" \
                --memo "${1}-14" 08:00 "买花" --out "$("$WINE" winepath -w "$picture" | tr -d '\r')" \
                > "$out/$name-$1.txt" ||
           ! "$WINE" "$tool" "$1" --data "$data" --template "$name" --today "$2" --first-weekday "$3" \
                --memo "${1}-14" 08:00 "买花" --out "$("$WINE" winepath -w "$inplace" | tr -d '\r')" \
                --in-place > /dev/null; then
            echo "render-month failed for $name $1"
            status=1
            continue
        fi
        python3 "$root/tools/render-month/check_render.py" "$picture" "$folder/backgroud.png" \
            "$out/$name-$1.txt" "$inplace" || status=1
    done
done
exit $status
