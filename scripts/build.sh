#!/usr/bin/env bash
# Configures and builds the configurations from the same tree:
#   build/native   Linux, tests with AddressSanitizer and UBSan
#   build/win64    x86_64-w64-mingw32, statically linked, tests run under Wine
#   build/win32    i686-w64-mingw32, the 32-bit release: Solvane.exe and its
#                  data (what scripts/package.sh packs), with the Windows-layer
#                  tests and the end-to-end driver that check it in the 32-bit
#                  guest (scripts/tests.d/release32_e2e.sh)
#   build/linux32  i686 Linux, the portable core's tests as a 32-bit program,
#                  run under qemu-i386
# Usage: build.sh [native|win64|win32|linux32|all] ...   (default: all)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${SOLVANE_JOBS:-$(nproc)}

# ccache, where present, lets several checkouts of the tree share one cache:
# paths below the checkout's parent are hashed relative to it. The test
# programs' precompiled headers are cached too, which needs the sloppiness.
launcher=()
if command -v ccache >/dev/null 2>&1; then
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$root")}
    export CCACHE_NOHASHDIR=1
    export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

configure() {  # name, then cmake arguments: configures build/NAME once
    local dir="$root/build/$1"; shift
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
    fi
}

build() {  # name, then the targets (none: all)
    local dir="$root/build/$1"; shift
    local targets=()
    [ $# -gt 0 ] && targets=(--target "$@")
    cmake --build "$dir" -j "$jobs" "${targets[@]}" -- --no-print-directory
}

# Cross builds cannot run their own almanac generator, so they run the native
# build's: it is built first and handed to them (the database then comes out
# byte for byte the same in every configuration).
native_almanac_gen() {
    configure native
    build native almanac-gen >/dev/null
    echo "$root/build/native/tools/almanac-gen/almanac-gen"
}

configure_cross() {  # name, toolchain file, then more cmake arguments
    local name=$1 toolchain=$2 gen; shift 2
    gen=$(native_almanac_gen)
    if ! grep -qx "SOLVANE_ALMANAC_GEN:FILEPATH=$gen" "$root/build/$name/CMakeCache.txt" 2>/dev/null; then
        rm -f "$root/build/$name/CMakeCache.txt"
    fi
    configure "$name" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DSOLVANE_ALMANAC_GEN="$gen" "$@"
}

targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(all)
[ "${targets[*]}" = all ] && targets=(native win64 win32 linux32)
for t in "${targets[@]}"; do
    case "$t" in
        native)
            configure native
            build native
            ;;
        win64)
            configure_cross win64 "$root/cmake/mingw-x86_64.cmake"
            build win64
            ;;
        win32)
            configure_cross win32 "$root/cmake/mingw-i686.cmake"
            build win32 Solvane almanac_database win_tests solvane-e2e
            ;;
        linux32)
            configure_cross linux32 "$root/cmake/linux-i686.cmake" -DCMAKE_BUILD_TYPE=Release
            build linux32 core_tests almanac_database
            ;;
        *) echo "build.sh: unknown configuration $t" >&2; exit 2 ;;
    esac
done
