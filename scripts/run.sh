#!/usr/bin/env bash
# Sets up, builds and starts the program: Solvane.exe from build/win64/dist,
# which is laid out like an installation, under 64-bit Wine (in a virtual
# display when there is none). Returns when the program ends (tray menu: 退出).
# The command-line front end is build/native/tools/cli/solvane-cli.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
scripts/build.sh native win64

. scripts/wine-env.sh
ensure_display
trap stop_display EXIT
ensure_wine_prefix
if [ -n "${SOLVANE_XVFB_PID:-}" ]; then
    echo "run: no display here; the program runs in the virtual display $DISPLAY" >&2
fi
cd build/win64/dist
"$WINE" Solvane.exe "$@"
