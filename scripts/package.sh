#!/usr/bin/env bash
# Builds the x86_64 and i686 programs and makes the release packages of each
# into build/packages/:
#   Solvane-<version>-x64.zip, Solvane-<version>-x86.zip          portable folder
#   Solvane-<version>-x64-setup.exe, Solvane-<version>-x86-setup.exe  installer
# Each package holds what the build's dist/ folder holds, checked against the
# installation layout (installer/package.py); settings, festivals and memos
# start from the shipped data/, whatever a run left in dist/.
# Usage: package.sh [--no-build]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
export LC_ALL=C.UTF-8  # the Chinese file names pass through Python and makensis

build=1
[ "${1:-}" = --no-build ] && build=0
if [ "$build" = 1 ]; then
    scripts/setup.sh
    scripts/build.sh win64 win32
fi

version=$(sed -n 's/^#define SOLVANE_VERSION_TEXT "\(.*\)"$/\1/p' resources/resource_ids.h)
[ -n "$version" ] || { echo "package: no version in resources/resource_ids.h" >&2; exit 1; }
out="$root/build/packages"
work="$out/work"
rm -rf "$work"
mkdir -p "$work"

package() {  # config, architecture label
    local config=$1 arch=$2
    local stage="$work/$arch/Tavro日历" name="Solvane-$version-$arch"
    echo "package: $name from build/$config/dist"
    # The program is the build's own, stripped at its link; its debugging
    # information stays beside it in dist/.
    python3 installer/package.py stage "build/$config/dist" data "installer/说明.txt" "$stage"
    python3 installer/package.py zip "$stage" "Tavro日历" "$out/$name.zip"
    python3 installer/package.py nsis "$stage" "$work/$arch/files.nsh"
    makensis -V2 -INPUTCHARSET UTF8 -DARCH="$arch" -DVERSION="$version" -DFILES="$work/$arch/files.nsh" \
        -DICON="$root/resources/icons/calendar.ico" -DOUTFILE="$out/$name-setup.exe" installer/solvane.nsi
}

package win64 x64
package win32 x86
rm -rf "$work"
ls -l "$out"
