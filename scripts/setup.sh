#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, once: packages already
# present are left alone, and apt is not touched when nothing is missing.
set -euo pipefail

packages=(
    cmake make g++ ccache python3 git ca-certificates xz-utils clang-format
    googletest libbenchmark-dev            # tests and benchmarks
    clang libclang-rt-14-dev               # libFuzzer targets
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    g++-i686-linux-gnu qemu-user           # the core's tests as a 32-bit program, emulated
    wine64 xvfb xauth x11-utils xdotool imagemagick   # Windows programs in a virtual display
    fonts-wqy-microhei fonts-wine          # CJK glyphs and Tahoma for GDI+ under Wine
    sox zip unzip nsis
    locales                                # Wine runs as Chinese Windows under zh_CN.UTF-8
    dpkg-dev                               # dpkg-source unpacks expat's source package
    libcurl4-openssl-dev                   # the command-line tool's calendar sync
    radicale xandikos python3-caldav       # CalDAV servers and a client for the sync's tests
    python3-pil python3-numpy              # legibility_e2e rasterises reference texts with FreeType
)
command -v npm >/dev/null 2>&1 || packages+=(npm)   # fetches the SQLite amalgamation

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "setup: run as root (or with sudo) to install the packages above" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # wine32 must never come in: this machine's kernel runs no 32-bit code and
    # its loader would shadow wine64.
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine takes its Windows locale and code page from the Linux locale: the
# Windows programs run under zh_CN.UTF-8, as on Chinese Windows (code page
# 936). Listed in /etc/locale.gen too, so that a later locale-gen keeps it.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf-\?8'; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "setup: run as root (or with sudo) to generate the locale zh_CN.UTF-8" >&2
        exit 1
    fi
    echo "setup: generating the locale zh_CN.UTF-8"
    grep -qx 'zh_CN.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null || echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen
    localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
