#!/bin/bash
# The image's first boot, run once by build-image.sh as an ordinary job on the
# image itself (not a snapshot): what the packages' maintainer scripts would
# have done that must run on the guest's own 32-bit code, and the Wine
# template prefix that every job's prefix is copied from. Everything it makes
# stays in the cached image.
set -euo pipefail
step() { echo "first-boot: $(date +%T) $*"; }

step "library cache"
ldconfig

step "locale zh_CN.UTF-8"
localedef -i zh_CN -f UTF-8 zh_CN.UTF-8

step "font cache"
fc-cache -s

# Chinese Windows: Wine takes the Windows locale and the code page (936) from
# the locale it is first booted under.
# (Through env: this shell started before the locale existed and cannot
# take it on itself.)
export WINEPREFIX=/root/wine-template WINEARCH=win32
zh() { env LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8 "$@"; }
step "wineboot"
rm -rf "$WINEPREFIX"
zh wine wineboot -i
zh wineserver -w
step "registry settings"
zh wine regedit /S /job/wine-template.reg
zh wineserver -w
# GDI+ finds Tahoma only in the prefix's own font folder.
cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

step "checking the template"
check() {  # file, text the file must hold
    grep -qF "$2" "$WINEPREFIX/$1" || { echo "first-boot: $1 lacks $2" >&2; exit 1; }
}
check system.reg '"ACP"="936"'
check user.reg '"ShowCrashDialog"=dword:00000000'
check user.reg '"Managed"="N"'
check user.reg '"Microsoft YaHei"="WenQuanYi Micro Hei"'
check user.reg '"SimSun"="WenQuanYi Micro Hei"'
[ "$(grep -c '"WenQuanYi Micro Hei"' "$WINEPREFIX/user.reg")" -ge 4 ] ||
    { echo "first-boot: the Chinese font names are not replaced" >&2; exit 1; }
ls "$WINEPREFIX/drive_c/windows/Fonts/tahoma.ttf" >/dev/null
for tool in import compare xdotool xwininfo xwd unzip ps awk; do
    command -v "$tool" >/dev/null || { echo "first-boot: no $tool in the guest" >&2; exit 1; }
done
date -u +%FT%TZ >/var/lib/solvane-guest/ready
du -sh "$WINEPREFIX"
step "done"
