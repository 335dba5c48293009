#!/usr/bin/env bash
# Sets up, builds every configuration and runs every test: the native suite
# (with sanitizers), the core's suite as a 32-bit program under qemu-i386, the
# Windows suites under 64-bit Wine, and the scripts of scripts/tests.d
# (end-to-end runs under Wine, checks of the tree, bounded fuzzing), several
# side by side (scripts/run-scripts.sh). Ends with the time each phase took:
# wall-clock and CPU (user + system) seconds; the side-by-side scripts
# overlap the phases after the win64 build, and their CPU time counts from
# when they end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

# --- time per phase --------------------------------------------------------------------
ticks=$(getconf CLK_TCK)
phase_lines=()
started=$SECONDS

children_cpu() {  # process id: CPU seconds (user + system) of its children that have ended
    local stat
    read -r stat </proc/"$1"/stat
    set -- ${stat##*) }
    echo $(((${14} + ${15}) / ticks))
}

record() {  # name, wall seconds, CPU seconds
    phase_lines+=("$(printf '%-34s %6s s %7s s' "$1" "$2" "$3")")
}

phase() {  # name, then a command: runs it as one phase of the timing
    local name=$1 wall=$SECONDS cpu status=0
    shift
    cpu=$(children_cpu $$)
    echo "== $name"
    "$@" || status=$?
    record "$name" $((SECONDS - wall)) $(($(children_cpu $$) - cpu))
    return $status
}

print_phases() {
    echo "== time per phase (wall, CPU user + system)"
    printf '%s\n' "${phase_lines[@]}"
    printf '%-34s %6s s\n' "total" $((SECONDS - started))
}

# --- the phases ------------------------------------------------------------------------
# The end-to-end scripts spend most of their time waiting on the program
# (minute boundaries, midnight, notices sliding), so they start as soon as
# what they run is built and go on beside the remaining builds and test
# programs, which give way to them (niceness 10). The scripts that read the
# release packages, the 32-bit guest's among them, follow once everything
# else is done.
phase "set-up" scripts/setup.sh
# The 32-bit guest's image (scripts/i686-guest.sh), cached outside the
# checkout, is made beside the builds when missing (a few minutes: downloads,
# unpacking and one emulated boot); its check waits for it at the end.
mkdir -p build/test-logs
( . scripts/i686-guest.sh && ensure_guest_image ) >build/test-logs/guest-image.log 2>&1 &
guest_image_pid=$!
phase "build native (sanitizers)" scripts/build.sh native
phase "build win64" scripts/build.sh win64

. scripts/wine-env.sh
make_wine_template
# What checks the release packages and the 32-bit programs, run once all else
# is done; the 32-bit release itself runs in the emulated 32-bit guest.
release_scripts=(package dll_imports import_slots release32_e2e)
logs="$root/build/test-logs"
mkdir -p "$logs"
echo "== scripts/tests.d side by side, from here on (their output follows the test programs')"
scripts_started=$SECONDS
# Each script's end is told at once on this command's own output (fd 3), so
# a run cut short still shows which scripts ended and how.
exec 3>&1
SOLVANE_SCRIPT_STATUS=/dev/fd/3 scripts/run-scripts.sh --without "${release_scripts[@]}" >"$logs/side-by-side.out" 2>&1 &
scripts_pid=$!

status=0
phase "build win32 (the release)" nice -n 10 scripts/build.sh win32 || status=1
phase "build linux32 (core tests)" nice -n 10 scripts/build.sh linux32 || status=1
phase "native tests" nice -n 10 ctest --test-dir build/native --output-on-failure -j "$(nproc)" || status=1
phase "core tests as 32-bit (qemu-i386)" nice -n 10 ctest --test-dir build/linux32 --output-on-failure || status=1
windows_tests() {
    ensure_display && ensure_wine_prefix || return 1
    local result=0
    nice -n 10 ctest --test-dir build/win64 --output-on-failure --timeout 1200 || result=1
    wine_wait
    stop_display
    return $result
}
phase "Windows (x86_64) tests under Wine" windows_tests || status=1

scripts_cpu=$(children_cpu $$)
wait "$scripts_pid" || status=1
cat "$logs/side-by-side.out"
record "scripts/tests.d side by side" $((SECONDS - scripts_started)) $(($(children_cpu $$) - scripts_cpu))
phase "release packages" scripts/package.sh --no-build || status=1
export SOLVANE_PACKAGES_MADE=1
wait "$guest_image_pid" || true
phase "scripts needing the 32-bit release" scripts/run-scripts.sh "${release_scripts[@]}" || status=1
print_phases
exit $status
