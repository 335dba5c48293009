#!/usr/bin/env bash
# Sets up, builds every configuration and runs every test: the native suite
# (with sanitizers), the Windows suite under 64-bit Wine in a virtual display,
# and the bounded fuzz runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh
scripts/build.sh all

. scripts/wine-env.sh
ensure_display
trap stop_display EXIT
ensure_wine_prefix

status=0
echo "== native tests"
ctest --test-dir build/native --output-on-failure -j "$(nproc)" || status=1
echo "== Windows (x86_64) tests under Wine"
ctest --test-dir build/win64 --output-on-failure --timeout 1200 || status=1
for extra in scripts/tests.d/*.sh; do
    [ -e "$extra" ] || continue
    echo "== $(basename "$extra" .sh)"
    bash "$extra" || status=1
done
wine_wait
exit $status
