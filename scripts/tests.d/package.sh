#!/usr/bin/env bash
# Release packages: makes them with scripts/package.sh, checks that each zip
# holds exactly the installation layout, then, under 64-bit Wine, starts the
# program from the unpacked x64 zip and from a silent installation of the x64
# installer, and uninstalls it again. The windows are found by the end-to-end
# driver (tools/e2e-driver); screenshots go to build/win64/artifacts/package/.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
export LC_ALL=C.UTF-8
# The test command makes the packages once, before the scripts that read them.
if [ "${SOLVANE_PACKAGES_MADE:-}" = 1 ] && ls build/packages/Solvane-*.zip >/dev/null 2>&1; then
    :
elif ! made=$(scripts/package.sh --no-build 2>&1); then
    echo "FAILED  scripts/package.sh makes the packages"
    tail -n 20 <<<"$made" | sed 's/^/        /'
    exit 1
fi
. scripts/e2e-lib.sh
artifacts="$build/artifacts/package"
# A prefix of its own: the installer writes the Run key and the Start menu.
e2e_begin wine-package

packages="$root/build/packages"
product="Tavro日历"
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key="HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product"
windows_path() { "$WINE" winepath -w "$1" 2>/dev/null | tr -d '\r'; }

start_app() {  # the program in folder $1; true once its month window shows a picture
    local shot=$2 line
    rm -f "$work/exit"
    ( cd "$1" && "$WINE" Solvane.exe; echo $? > "$work/exit" ) >/dev/null 2>&1 &
    app_pid=$!
    line=$(drive wait-calendar 30000) || return 1
    read -r _ L T R B state <<<"$line"
    [ "$state" = visible ] || return 1
    screenshot "$shot"
    # Not blank: the skin's picture lies in the window's rectangle.
    convert "$shot" -crop "$((R - L))x$((B - T))+$L+$T" -format "%[fx:mean>0.05]" info: | grep -qx 1
}

stop_app() {  # through the tray menu's 退出; true when the program ends with 2
    drive tray-menu menu-pick 退出 wait-gone 10000 >/dev/null
    for _ in $(seq 100); do [ -f "$work/exit" ] && break; sleep 0.1; done
    [ -f "$work/exit" ] || kill "$app_pid" 2>/dev/null
    wait "$app_pid" 2>/dev/null
    app_pid=""
    [ "$(cat "$work/exit" 2>/dev/null)" = 2 ]
}

reg_value() {  # key, value name: the value's data, empty when absent
    rm -f "$work/export.reg"
    "$WINE" reg export "$1" "$work/export.reg" /y >/dev/null 2>&1 || return 0
    python3 - "$work/export.reg" "$2" <<'PY'
import re, sys
text = open(sys.argv[1], "rb").read().decode("utf-16")
prefix = '"%s"="' % sys.argv[2]
for line in text.splitlines():
    if line.startswith(prefix):
        print(re.sub(r"\\(.)", r"\1", line[len(prefix):-1]))
PY
}

key_exists() { "$WINE" reg query "$1" >/dev/null 2>&1; }

tree() { (cd "$1" && find . -mindepth 1 | sed 's|^\./||' | sort | tr '\n' ' '); }

wait_for_uninstall() {  # the uninstaller reruns itself from the temporary folder
    for _ in $(seq 300); do [ -e "$1/Uninstall.exe" ] || break; sleep 0.1; done
    timeout 30 "$WINESERVER" -w 2>/dev/null || true
}

# --- the zips ---------------------------------------------------------------------
zip64=$(ls "$packages"/Solvane-*-x64.zip 2>/dev/null | head -1)
zip32=$(ls "$packages"/Solvane-*-x86.zip 2>/dev/null | head -1)
setup64=$(ls "$packages"/Solvane-*-x64-setup.exe 2>/dev/null | head -1)
check "the package command makes a zip and an installer per architecture" \
    test -n "$zip64" -a -n "$zip32" -a -n "$setup64" -a -n "$(ls "$packages"/Solvane-*-x86-setup.exe 2>/dev/null)"
check "the x64 zip holds exactly the installation layout, names marked UTF-8 and repeated as Unicode Path fields" \
    python3 installer/package.py check-zip "$zip64" "$product" x86_64
check "the x86 zip holds exactly the installation layout with a 32-bit program" \
    python3 installer/package.py check-zip "$zip32" "$product" i686
machine_of() { python3 -c 'import sys; sys.path.insert(0, "installer"); import package
print(hex(package.pe_machine(open(sys.argv[1], "rb").read(4096)) or 0))' "$1"; }
check "the x86 installer runs on 32-bit Windows, the x64 one is a 64-bit program" \
    test "$(machine_of "$(ls "$packages"/Solvane-*-x86-setup.exe | head -1)") $(machine_of "$setup64")" = "0x14c 0x8664"

unpacked="$work/unzipped"
mkdir -p "$unpacked"
unzip -q "$zip64" -d "$unpacked"
portable="$unpacked/$product"
check "unpacked, the Chinese file names come out as written" \
    test -f "$portable/Sound/提醒.wav" -a -f "$portable/Sound/滴滴.wav" -a -f "$portable/说明.txt"
expected=$( (cd "$portable" && find . -mindepth 1 ! -name 说明.txt; echo ./Uninstall.exe) | sed 's|^\./||' | sort | tr '\n' ' ')
check "the zip holds no settings or festival file of the user's names, only their first-run copies" \
    test ! -e "$portable/Solvane.ini" -a ! -e "$portable/Ostrel/holidays.cfg" -a -f "$portable/Ostrel/FirstRun/holidays.cfg"
check "the unpacked x64 program starts and shows its month window" start_app "$portable" "$artifacts/unzipped.png"
check "with its tray icon" test "$(drive tray)" = "tray present"
check "退出 ends it" stop_app
check "having saved its window's place beside itself" grep -q '^RECT_1=' "$portable/Solvane.ini"
check "and made its festival file from the first-run copy" \
    cmp -s "$portable/Ostrel/holidays.cfg" "$portable/Ostrel/FirstRun/holidays.cfg"
printf 'YL,JR,6-6,我的节日,,,,1,1,1\r\n' >> "$portable/Ostrel/holidays.cfg"
unzip -qo "$zip64" -d "$unpacked"
check "unpacking the zip again over the folder keeps the user's settings and festivals" \
    eval 'grep -q "^RECT_1=" "$portable/Solvane.ini" && grep -q "^YL,JR,6-6," "$portable/Ostrel/holidays.cfg"'

# --- the installer ----------------------------------------------------------------
installed="$work/installed/$product"
mkdir -p "$work/installed"
"$WINE" reg delete "$run_key" /v "$product" /f >/dev/null 2>&1
"$WINE" "$setup64" /S /AUTOSTART "/D=$(windows_path "$work/installed")\\$product" >/dev/null 2>&1
setup_exit=$?
check "the installer installs silently into the folder given (exit code $setup_exit)" \
    test "$setup_exit" = 0 -a -f "$installed/Solvane.exe" -a -f "$installed/Uninstall.exe" -a -d "$installed/Reminders"
check "the installed files are the zip's layout without 说明.txt, plus the uninstaller" \
    test "$(tree "$installed")" = "$expected"
shortcut=$(find "$WINEPREFIX/drive_c/users" -path "*Start Menu/Programs/$product.lnk" 2>/dev/null | head -1)
check "it puts a shortcut in the Start menu" test -n "$shortcut"
installed_exe="$(windows_path "$work/installed")\\$product\\Solvane.exe"
check "/AUTOSTART sets the Run value the settings dialog uses: the path in quotes" \
    test "$(reg_value "$run_key" "$product")" = "\"$installed_exe\""
check "it registers its uninstaller" \
    eval 'reg_value "$uninstall_key" UninstallString | grep -q "Uninstall.exe"'
check "the installed program starts and shows its month window" start_app "$installed" "$artifacts/installed.png"
check "退出 ends it" stop_app

check "no package holds the user's holiday schedule, only the shipped one it overrides" \
    test -f "$installed/Ostrel/offdays-shipped.cfg" -a ! -e "$installed/Ostrel/offdays.cfg"
printf 'memo\r\n' > "$installed/Reminders/reminders.cfg"  # stands for the user's memos
# The user's correction of a shipped day, saved by Notepad as "Unicode".
{ printf '\xff\xfe'; printf '2026-10-10,休,国庆节\r\n' | iconv -f UTF-8 -t UTF-16LE; } > "$installed/Ostrel/offdays.cfg"
offdays_mine=$(md5sum < "$installed/Ostrel/offdays.cfg")
"$WINE" "$installed/Uninstall.exe" /S >/dev/null 2>&1
wait_for_uninstall "$installed"
check "the silent uninstaller removes the program and keeps the user's settings, festivals, holiday corrections and memos" \
    test "$(tree "$installed")" = "Ostrel Ostrel/holidays.cfg Ostrel/offdays.cfg Reminders Reminders/alerts.state Reminders/reminders.cfg Solvane.ini "
check "and the Start-menu shortcut" test ! -e "$shortcut"
check "and the Run value" test -z "$(reg_value "$run_key" "$product")"
check "and its registration" eval '! key_exists "$uninstall_key"'

"$WINE" "$setup64" /S "/D=$(windows_path "$work/installed")\\$product" >/dev/null 2>&1
check "installing again keeps the settings the program saved" grep -q '^RECT_1=' "$installed/Solvane.ini"
check "and the user's holiday file byte for byte" test "$(md5sum < "$installed/Ostrel/offdays.cfg")" = "$offdays_mine"
check "whose day overrides the shipped one" eval '"$root/build/native/tools/cli/solvane-cli" day 2026-10-10 \
    --offdays "$installed/Ostrel/offdays.cfg" 2>/dev/null | grep -qx "国庆节假期 休"'
check "without /AUTOSTART there is no Run value" test -z "$(reg_value "$run_key" "$product")"
"$WINE" "$installed/Uninstall.exe" /S /PURGE >/dev/null 2>&1
wait_for_uninstall "$installed"
check "uninstalling with /PURGE removes the whole folder" test ! -e "$installed"

e2e_summary "package"
