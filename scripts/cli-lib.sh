# What the scripts in scripts/tests.d that check the command-line tool share:
# the repository root, the native build's solvane-cli and a scratch folder
# removed on exit. Sourced first thing:
#
#   . "$(dirname "$0")/../cli-lib.sh"
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cli="$root/build/native/tools/cli/solvane-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
