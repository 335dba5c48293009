#!/usr/bin/env bash
# Every C++ file of the tree is laid out as the tree's .clang-format says; the
# check names each file that differs (clang-format -i mends it).
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
differ=$(git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run 2>&1 |
    sed -n 's/^\(.*\):[0-9]*:[0-9]*: \(warning\|error\): .*/\1/p' | sort -u)
if [ -n "$differ" ]; then
    sed 's/^/differs from .clang-format: /' <<<"$differ"
    echo "format: $(wc -l <<<"$differ") file(s) differ"
    exit 1
fi
echo "format: every file is laid out as .clang-format says"
