# What the scripts in scripts/tests.d that run no Windows program share: the
# repository root and the pass/fail count. Sourced first thing:
#
#   . "$(dirname "$0")/../check-lib.sh"
#   check "what must hold" command args...
#   summary "layers"              # the script's last line and exit status
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
passed=0 failed=0

check() {  # name, then a command that must succeed
    local name=$1
    shift
    if "$@" >/dev/null 2>&1; then
        echo "ok      $name"; passed=$((passed + 1))
    else
        echo "FAILED  $name"; failed=$((failed + 1))
    fi
}

summary() {  # title
    echo "$1: $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
