#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, once: packages already
# present are left alone, and apt is not touched when nothing is missing.
set -euo pipefail

packages=(
    cmake make g++ ccache python3 git ca-certificates xz-utils
    googletest libbenchmark-dev            # tests and benchmarks
    clang libclang-rt-14-dev               # libFuzzer targets
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    wine64 xvfb xauth x11-utils xdotool imagemagick   # Windows programs in a virtual display
    fonts-wqy-microhei fonts-wine          # CJK glyphs and Tahoma for GDI+ under Wine
    sox zip unzip nsis
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
