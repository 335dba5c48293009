# Sourced by the scripts that run Windows programs: Wine as on Chinese Windows
# (scripts/wine.sh: locale zh-CN, code page 936), prefixes copied from one
# template made once, and virtual displays.
#
#   ensure_wine_prefix   $WINEPREFIX made from the template when it is not
#   fresh_wine_prefix    $WINEPREFIX made again from the template
#   ensure_display       the display in $DISPLAY, or a virtual one
#   start_display        a virtual display of its own, whatever $DISPLAY says
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$root/.cache/wine}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export WINEARCH=${WINEARCH:-win64}
WINE=${WINE:-$root/scripts/wine.sh}
# Wine itself starts the server this names.
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
export WINE WINESERVER
wine_template=${SOLVANE_WINE_TEMPLATE:-$root/.cache/wine-template}

chinese_locale_ready() {
    locale -a 2>/dev/null | grep -qix 'zh_CN.utf-\?8' && return 0
    echo "wine-env: the locale zh_CN.UTF-8 is missing (scripts/setup.sh generates it)" >&2
    return 1
}

# What the template is made with; when this changes the template and every
# prefix copied from it are made again.
wine_recipe() { echo "zh-CN 2 $("$WINE" --version 2>/dev/null)"; }

# The template prefix: wineboot once (several seconds), the Chinese font
# families the templates name mapped to the installed CJK font, and Tahoma
# where GDI+ finds it (only in the prefix's own font folder). Made under a
# lock, since scripts running side by side may all ask for it.
make_wine_template() {
    local recipe
    recipe=$(wine_recipe)
    [ "$(cat "$wine_template/.solvane-ready" 2>/dev/null)" = "$recipe" ] && return 0
    mkdir -p "$root/.cache"
    (
        flock 9
        [ "$(cat "$wine_template/.solvane-ready" 2>/dev/null)" = "$recipe" ] && exit 0
        export WINEPREFIX=$wine_template
        "$WINESERVER" -k 2>/dev/null || true
        rm -rf "$wine_template"
        mkdir -p "$wine_template"
        "$WINE" wineboot -i >/dev/null 2>&1 || true
        local family
        for family in "Microsoft YaHei" "微软雅黑" "SimSun" "宋体"; do
            "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$family" /t REG_SZ \
                /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1 || true
        done
        # No window manager runs in the virtual display. Left to think one
        # does, Wine hands a window to it (unmaps and maps it again) the
        # first time the window is redrawn while active, and the X focus
        # then falls to the root: the keyboard goes to the desktop and an
        # open menu closes, as on no Windows desktop.
        "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
        "$WINESERVER" -w 2>/dev/null || true
        cp /usr/share/wine/fonts/tahoma*.ttf "$wine_template/drive_c/windows/Fonts/" 2>/dev/null || true
        echo "$recipe" >"$wine_template/.solvane-ready"
    ) 9>"$root/.cache/wine-template.lock"
}

# A prefix copied from the template in a fraction of a second: the large files
# that Wine only reads (DLLs, fonts, resources) are hard links to the
# template's; the registry, the .ini files and the user folders, which Wine
# and the tests write to, are copies of their own.
clone_wine_prefix() {
    "$WINESERVER" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    cp -a --link "$wine_template/." "$WINEPREFIX/"
    local file
    for file in "$WINEPREFIX"/*.reg "$WINEPREFIX"/drive_c/windows/*.ini; do
        [ -f "$file" ] && cp -a --remove-destination "$wine_template/${file#"$WINEPREFIX"/}" "$file"
    done
    for file in users ProgramData "Program Files" "Program Files (x86)"; do
        rm -rf "$WINEPREFIX/drive_c/$file"
        [ -e "$wine_template/drive_c/$file" ] && cp -a "$wine_template/drive_c/$file" "$WINEPREFIX/drive_c/"
    done
    return 0
}

ensure_wine_prefix() {
    chinese_locale_ready || return 1
    make_wine_template
    if [ "$(cat "$WINEPREFIX/.solvane-ready" 2>/dev/null)" != "$(cat "$wine_template/.solvane-ready")" ]; then
        clone_wine_prefix
    fi
}

fresh_wine_prefix() {
    chinese_locale_ready || return 1
    make_wine_template
    clone_wine_prefix
}

# Xvfb picks a free display number itself and says which once it listens, so
# that scripts starting displays side by side never share one.
start_display() {
    local said
    said=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$said" >/dev/null 2>&1 &
    SOLVANE_XVFB_PID=$!
    local n=""
    for _ in $(seq 200); do
        n=$(tr -dc 0-9 <"$said")
        [ -n "$n" ] && break
        kill -0 "$SOLVANE_XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    rm -f "$said"
    if [ -z "$n" ]; then
        echo "wine-env: could not start Xvfb" >&2
        return 1
    fi
    export DISPLAY=":$n"
}

ensure_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return
    fi
    start_display
}

stop_display() {
    if [ -n "${SOLVANE_XVFB_PID:-}" ]; then
        kill "$SOLVANE_XVFB_PID" 2>/dev/null || true
        wait "$SOLVANE_XVFB_PID" 2>/dev/null || true
        SOLVANE_XVFB_PID=""
    fi
}

wine_wait() {
    "$WINESERVER" -w 2>/dev/null || true
}
