#!/usr/bin/env bash
# Sets up, builds and starts the program's main job. Until the window program
# lands this is the command-line front end: this month and today.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/setup.sh
scripts/build.sh native
exec build/native/tools/cli/solvane-cli "$@"
