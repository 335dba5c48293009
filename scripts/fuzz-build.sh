#!/usr/bin/env bash
# Builds the libFuzzer targets of tools/fuzz with clang in build/fuzz, once
# for the fuzzing scripts that run side by side (the second waits for the
# first's build and then finds nothing to do).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${SOLVANE_JOBS:-$(nproc)}
dir="$root/build/fuzz"
mkdir -p "$dir"
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
(
    flock 9
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$root/tools/fuzz" -B "$dir" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            "${launcher[@]}" >/dev/null
    fi
    cmake --build "$dir" -j "$jobs" -- --no-print-directory >/dev/null
) 9>"$dir/.build-lock"
