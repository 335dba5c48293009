#!/usr/bin/env bash
# Every call into a DLL from the shipped Solvane.exe can land: each
# delay-load slot starts out pointing at its own stub, which hands the slot
# to the delay-load helper, and each ordinary import names its function
# (scripts/check-import-slots.py, read from the PE file, no Windows needed).
# Checked on both architectures, the stripped programs of the packages too.
# The check is shown to fail on a program linked the way that left six
# slots of the 32-bit release at 0 (cmake/make-delay-library.sh says why),
# and to pass once the stubs are kept.
. "$(dirname "$0")/../check-lib.sh"
slots="$root/scripts/check-import-slots.py"

resolves() { python3 "$slots" "$@" >&2; }
says_slot_is_0() {  # program, function: the check fails the program, naming that slot
    local said
    said=$(python3 "$slots" "$1") && return 1
    grep -q "!$2: delay-load slot is 0" <<<"$said"
}

for config in win64 win32; do
    exe="$root/build/$config/dist/Solvane.exe"
    if [ ! -f "$exe" ]; then echo "skipped $config (not built)"; continue; fi
    check "$config: every delay-load slot and import of Solvane.exe resolves ($(python3 "$slots" "$exe" | tail -1 | sed 's/.*): //'))" \
        resolves "$exe"
done
for zip in "$root"/build/packages/Solvane-*-x64.zip "$root"/build/packages/Solvane-*-x86.zip; do
    [ -f "$zip" ] || continue
    scratch=$(mktemp -d)
    unzip -q "$zip" -d "$scratch"
    check "$(basename "$zip"): the packaged, stripped program resolves every slot" \
        eval 'resolves "$scratch"/*/Solvane.exe'
    rm -rf "$scratch"
done

# The fault, made small: an i686 program calling one delay-loaded function
# through its dllimport declaration, linked without and with the stubs kept.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cat >"$scratch/t.c" <<'C'
#include <windows.h>
#include <uxtheme.h>
int main(void) { return (int)SetWindowTheme(0, L"", 0); }
C
library=$(i686-w64-mingw32-gcc -print-file-name=libuxtheme.a)
sh "$root/cmake/make-delay-library.sh" i686-w64-mingw32-nm i686-w64-mingw32-dlltool "$library" uxtheme.dll \
    "$scratch/libuxtheme_delay.a" i686
i686-w64-mingw32-gcc "$scratch/t.c" -o "$scratch/plain.exe" "$scratch/libuxtheme_delay.a" -ldelayimp
i686-w64-mingw32-gcc "$scratch/t.c" -o "$scratch/kept.exe" "$scratch/libuxtheme_delay.a.keep.ld" \
    "$scratch/libuxtheme_delay.a" -ldelayimp
check "i686: a delay-loaded call linked the plain way leaves its slot 0, and the check says so" \
    says_slot_is_0 "$scratch/plain.exe" SetWindowTheme
check "i686: with the stubs kept, the same call's slot points at its stub" resolves "$scratch/kept.exe"

summary "import slots"
