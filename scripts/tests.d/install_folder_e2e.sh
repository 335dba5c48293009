#!/usr/bin/env bash
# End-to-end: the program installed per user under a profile folder whose name
# has no GBK form (Jürgen Åström, a Hangul name) finds its data files: the
# festival manager lists the installation's festivals and the window's place is
# saved at exit. Under 64-bit Wine in the virtual display.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
. scripts/e2e-lib.sh
e2e_begin wine-e2e

rows_of() { grep '^row' <<<"$1" | cut -f3- | cut -f1-4 | tr '\t' '|'; }

for user in "Jürgen Åström" "김민준"; do
    install="$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs/Tavro日历"
    rm -rf "$WINEPREFIX/drive_c/users/$user"
    mkdir -p "$(dirname "$install")"
    cp -r "$build/dist" "$install"
    printf '%s\r\n' "[Ostrel]" "Template=Default" > "$install/Solvane.ini"
    printf '%s\r\n' "YL,JR,10-1,国庆节,,,,1,1,1" | iconv -f UTF-8 -t GBK > "$install/Ostrel/holidays.cfg"

    ( cd "$install" && "$WINE" Solvane.exe ) >/dev/null 2>&1 &
    app_pid=$!
    check "from C:\\users\\$user\\… the program starts and shows its month window" drive wait-calendar 60000
    listing=$(drive tray-menu menu-pick-in 管理节假日/备忘 节日管理... dialog 节日管理 60000 read close dialog-gone 节日管理 20000)
    check "it finds its festival file there: 节日管理 lists 国庆节" grep -q "国庆节" <<<"$listing"
    drive tray-menu menu-pick 退出 wait-gone 20000 >/dev/null
    wait "$app_pid" 2>/dev/null
    check "and saves its settings there at exit" grep -q '^RECT_1=' "$install/Solvane.ini"
    rm -rf "$WINEPREFIX/drive_c/users/$user"
done

e2e_summary "install folder"
