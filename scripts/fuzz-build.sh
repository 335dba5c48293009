#!/usr/bin/env bash
# Builds the libFuzzer targets of tools/fuzz with clang in build/fuzz, once
# for the fuzzing scripts that run side by side (the second waits for the
# first's build and then finds nothing to do). With "32": the same targets as
# 32-bit programs with their replay driver, in build/fuzz32, for qemu-i386.
# Usage: fuzz-build.sh [32]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${SOLVANE_JOBS:-$(nproc)}
if [ "${1:-}" = 32 ]; then
    dir="$root/build/fuzz32"
    configuration=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/linux-i686.cmake" -DSOLVANE_FUZZ_REPLAY=ON
        -DCMAKE_BUILD_TYPE=Release)
else
    dir="$root/build/fuzz"
    configuration=(-DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang -DCMAKE_BUILD_TYPE=RelWithDebInfo)
fi
mkdir -p "$dir"
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
(
    flock 9
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$root/tools/fuzz" -B "$dir" "${configuration[@]}" "${launcher[@]}" >/dev/null
    fi
    cmake --build "$dir" -j "$jobs" -- --no-print-directory >/dev/null
) 9>"$dir/.build-lock"
