#!/usr/bin/env bash
# Configures and builds the three configurations from the same tree:
#   build/native  Linux, tests with AddressSanitizer and UBSan
#   build/win64   x86_64-w64-mingw32, statically linked, tests run under Wine
#   build/win32   i686-w64-mingw32, the 32-bit release (compiled and linked only)
# Usage: build.sh [native|win64|win32|all] ...   (default: all)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${SOLVANE_JOBS:-$(nproc)}

configure_and_build() {
    local name=$1; shift
    local dir="$root/build/$name"
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    fi
    cmake --build "$dir" -j "$jobs" -- --no-print-directory
}

targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(all)
for t in "${targets[@]}"; do
    case "$t" in
        native) configure_and_build native ;;
        win64) configure_and_build win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" ;;
        win32) configure_and_build win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" ;;
        all)
            configure_and_build native
            configure_and_build win64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake"
            configure_and_build win32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"
            ;;
        *) echo "build.sh: unknown configuration $t" >&2; exit 2 ;;
    esac
done
