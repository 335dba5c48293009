#!/usr/bin/env bash
# Configures and builds the three configurations from the same tree:
#   build/native  Linux, tests with AddressSanitizer and UBSan
#   build/win64   x86_64-w64-mingw32, statically linked, tests run under Wine
#   build/win32   i686-w64-mingw32, the 32-bit release (compiled and linked only)
# Usage: build.sh [native|win64|win32|all] ...   (default: all)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${SOLVANE_JOBS:-$(nproc)}

# ccache, where present, lets several checkouts of the tree share one cache:
# paths below the checkout's parent are hashed relative to it.
launcher=()
if command -v ccache >/dev/null 2>&1; then
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")}
    export CCACHE_NOHASHDIR=1
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

configure_and_build() {
    local name=$1; shift
    local dir="$root/build/$name"
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
    fi
    cmake --build "$dir" -j "$jobs" -- --no-print-directory
}

# Cross builds cannot run their own almanac generator, so they run the native
# build's: it is built first and handed to them (the database then comes out
# byte for byte the same in every configuration).
native_almanac_gen() {
    if [ ! -f "$root/build/native/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
    fi
    cmake --build "$root/build/native" -j "$jobs" --target almanac-gen -- --no-print-directory >/dev/null
    echo "$root/build/native/tools/almanac-gen/almanac-gen"
}

configure_cross_and_build() {
    local name=$1 toolchain=$2
    local gen dir="$root/build/$name"
    gen=$(native_almanac_gen)
    if [ ! -f "$dir/CMakeCache.txt" ] || ! grep -qx "SOLVANE_ALMANAC_GEN:FILEPATH=$gen" "$dir/CMakeCache.txt"; then
        cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE="$toolchain" "${launcher[@]}" \
            -DSOLVANE_ALMANAC_GEN="$gen" >/dev/null
    fi
    cmake --build "$dir" -j "$jobs" -- --no-print-directory
}

targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(all)
for t in "${targets[@]}"; do
    case "$t" in
        native) configure_and_build native ;;
        win64) configure_cross_and_build win64 "$root/cmake/mingw-x86_64.cmake" ;;
        win32) configure_cross_and_build win32 "$root/cmake/mingw-i686.cmake" ;;
        all)
            configure_and_build native
            configure_cross_and_build win64 "$root/cmake/mingw-x86_64.cmake"
            configure_cross_and_build win32 "$root/cmake/mingw-i686.cmake"
            ;;
        *) echo "build.sh: unknown configuration $t" >&2; exit 2 ;;
    esac
done
