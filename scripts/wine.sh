#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine as on Chinese Windows, which is
# what the program's users run: Wine takes the Windows locale and the ANSI
# code page from the Linux locale, and zh_CN.UTF-8 gives locale zh-CN with
# code page 936 (C.UTF-8 would give en-US Windows with code page 1252).
# scripts/setup.sh generates the locale.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf-\?8'; then
    echo "wine.sh: the locale zh_CN.UTF-8 is missing (scripts/setup.sh generates it)" >&2
    exit 127
fi
# The 32-bit guest (scripts/i686-guest.sh) names its own loader.
LC_ALL=zh_CN.UTF-8 exec "${SOLVANE_WINE_LOADER:-/usr/lib/wine/wine64}" "$@"
