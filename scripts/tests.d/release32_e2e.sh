#!/usr/bin/env bash
# The 32-bit release run as shipped, on 32-bit Windows as closely as this
# machine allows: this machine's kernel runs no 32-bit code, so a whole
# 32-bit machine is emulated (scripts/i686-guest.sh: a Debian i386 guest with
# 32-bit Wine as Chinese Windows, its image cached outside the checkout and
# built when missing). The checks themselves run inside it
# (scripts/release32-checks.sh) on the x86 zip and installer that
# scripts/package.sh made, with the 32-bit Windows-layer tests and the driver
# built for i686. The guest's screenshots are kept with the others, in
# build/win64/artifacts/e2e/i686-*.png.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
. scripts/i686-guest.sh

packages="$root/build/packages"
zip=$(ls "$packages"/Solvane-*-x86.zip 2>/dev/null | head -1)
setup=$(ls "$packages"/Solvane-*-x86-setup.exe 2>/dev/null | head -1)
if [ -z "$zip" ] || [ -z "$setup" ]; then
    echo "FAILED  the x86 zip and installer are there (scripts/package.sh makes them)"
    echo "release32 e2e: 0 passed, 1 failed"
    exit 1
fi
if [ ! -f build/win32/tests/win_tests.exe ] || [ ! -f build/win32/e2e/solvane-e2e.exe ]; then
    echo "FAILED  the 32-bit Windows-layer tests and the driver are built (scripts/build.sh win32)"
    echo "release32 e2e: 0 passed, 1 failed"
    exit 1
fi
if ! ensure_guest_image; then
    echo "FAILED  the 32-bit guest's image can be had"
    echo "release32 e2e: 0 passed, 1 failed"
    exit 1
fi

job=$(mktemp -d)
trap 'rm -rf "$job"' EXIT
in="$job/in"
mkdir -p "$in/scripts" "$in/packages" "$in/build/e2e" "$in/build/tests"
cp scripts/release32-checks.sh "$in/run.sh"
cp scripts/e2e-lib.sh scripts/wine-env.sh scripts/wine.sh "$in/scripts/"
cp "$zip" "$setup" "$in/packages/"
cp build/win32/e2e/solvane-e2e.exe build/win32/e2e/solvane-e2e-hook.dll "$in/build/e2e/"
cp build/win32/tests/win_tests.exe "$in/build/tests/"
cp -r data "$in/data"

# What the checks expect of today, worked out here where the tools are: the
# month window's caption, where today lies in it (the first-run skin, Sunday
# first) and the title of its 黄历 page.
weekdays=(一 二 三 四 五 六 日)
read -r cell_x cell_y <<<"$(python3 scripts/tests.d/month_cells.py data/Ostrel/Templates/Default/config.ini \
    "$(date +%Y)" "$(date +%-m)" centre "$(date +%-d)")"
{
    echo "# written by scripts/tests.d/release32_e2e.sh"
    printf '%s=%q\n' \
        zip_name "$(basename "$zip")" setup_name "$(basename "$setup")" \
        this_month "$(date +%Y年%-m月)" day "$(date +%-d)" cell_x "$cell_x" cell_y "$cell_y" \
        day_title "$(date +%Y年%-m月%-d日) 星期${weekdays[$(($(date +%u) - 1))]}" \
        source_dir "$root" binary_dir "$root/build/win32"
    # The guest's 32-bit Wine and the prefix made with its image.
    printf 'export %s\n' SOLVANE_WINE_LOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver \
        WINEARCH=win32 SOLVANE_WINE_TEMPLATE=/root/wine-template
} >"$in/job.env"

guest_run "$job" "${SOLVANE_GUEST_LIMIT:-1800}"
status=$?
shots="$root/build/win64/artifacts/e2e"
mkdir -p "$shots"
for shot in "$job"/out/*.png; do
    [ -f "$shot" ] && cp "$shot" "$shots/i686-$(basename "$shot")"
done
if ! grep -q '^release (.*): [0-9]* passed, [0-9]* failed' "$job/output.log" 2>/dev/null; then
    echo "        the guest's console, last lines:"
    tail -n 30 "$job/console.log" 2>/dev/null | sed 's/^/        /'
    echo "release32 e2e: 0 passed, 1 failed (the guest gave no summary; exit status $status)"
    exit 1
fi
exit "$status"
