# Sourced by the scripts that run Windows programs: a Wine prefix kept inside
# the checkout, created quietly on first use, and a virtual display when there
# is no real one.
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$root/.cache/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEARCH=win64
WINE=${WINE:-/usr/lib/wine/wine64}
export WINE

ensure_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return
    fi
    local n
    for n in $(seq 90 120); do
        [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
        SOLVANE_XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do
            xdpyinfo >/dev/null 2>&1 && return
            sleep 0.1
        done
    done
    echo "wine-env: could not start Xvfb" >&2
    return 1
}

stop_display() {
    if [ -n "${SOLVANE_XVFB_PID:-}" ]; then
        kill "$SOLVANE_XVFB_PID" 2>/dev/null || true
        wait "$SOLVANE_XVFB_PID" 2>/dev/null || true
    fi
}

ensure_wine_prefix() {
    if [ ! -f "$WINEPREFIX/.solvane-ready" ]; then
        mkdir -p "$WINEPREFIX"
        "$WINE" wineboot -i >/dev/null 2>&1 || true
        "${WINE}" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Microsoft YaHei" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1 || true
        "${WINE}" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "微软雅黑" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1 || true
        "${WINE}" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "SimSun" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1 || true
        "${WINE}" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "宋体" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1 || true
        /usr/lib/wine/wineserver -w 2>/dev/null || "${WINE%/*}/wineserver" -w 2>/dev/null || true
        touch "$WINEPREFIX/.solvane-ready"
    fi
    # GDI+ only finds Tahoma once it sits in the prefix's own font folder.
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ -d "$fonts" ] && [ ! -f "$fonts/tahoma.ttf" ]; then
        cp /usr/share/wine/fonts/tahoma*.ttf "$fonts/" 2>/dev/null || true
    fi
}

wine_wait() {
    /usr/lib/wine/wineserver -w 2>/dev/null || true
}
