#!/usr/bin/env bash
# Solvane.exe imports at load time only DLLs that Windows always takes from
# the system folder (known DLLs of every supported version); every other
# system DLL is delay-loaded (cmake/delay_load.cmake), after the program has
# limited the search to the system folder, so a DLL of the same name dropped
# beside a portable copy is never loaded. The check is shown to fail on a
# program that imports such a DLL the ordinary way. The 32-bit program is
# linked large-address aware.
. "$(dirname "$0")/../check-lib.sh"

# Known DLLs of Windows 7 to 11 alike, and gdiplus.dll, which the manifest
# takes from the side-by-side store (a known DLL since Windows 8).
known="advapi32.dll comdlg32.dll gdi32.dll gdiplus.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll"
known="$known shell32.dll user32.dll"

static_imports() {  # objdump, executable: the DLLs it imports at load time, in lower case
    "$1" -p "$2" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u
}

only_known() {  # objdump, executable
    local dll bad=""
    for dll in $(static_imports "$1" "$2"); do
        case " $known " in *" $dll "*) ;; *) bad="$bad $dll" ;; esac
    done
    [ -n "$(static_imports "$1" "$2")" ] && [ -z "$bad" ] || { echo "imported at load time:$bad" >&2; return 1; }
}

delay_loaded() {  # executable: names every delay-loaded DLL
    local dll names
    names=$(strings "$1")
    for dll in comctl32 uxtheme version winmm wininet winhttp oleacc comdlg32 oleaut32 shell32 ole32 gdiplus; do
        grep -qx "$dll.dll" <<<"$names" || return 1
    done
}

for arch in win64:x86_64 win32:i686; do
    exe="$root/build/${arch%%:*}/dist/Solvane.exe"
    objdump="${arch##*:}-w64-mingw32-objdump"
    if [ ! -f "$exe" ]; then echo "skipped ${arch%%:*} (not built)"; continue; fi
    check "${arch%%:*}: Solvane.exe imports only known DLLs at load time ($(static_imports "$objdump" "$exe" | tr '\n' ' '))" \
        only_known "$objdump" "$exe"
    check "${arch%%:*}: and names the other system DLLs for delay-loading" delay_loaded "$exe"
    # Known DLLs that the first picture does not need (the file dialogs and,
    # under Wine, the print spooler's libraries with them; the shell's, for
    # the tray icon added after it; COM and GDI+, which a first picture laid
    # from the kept drawing does without) load at their first call.
    check "${arch%%:*}: comdlg32, oleaut32, shell32, ole32 and gdiplus are not loaded at start" \
        eval '! static_imports "$objdump" "$exe" | grep -qx "comdlg32.dll\|oleaut32.dll\|shell32.dll\|ole32.dll\|gdiplus.dll"'

done

# The 32-bit program is large-address aware: 4 GB of address space on 64-bit
# Windows instead of 2 GB.
exe32="$root/build/win32/dist/Solvane.exe"
if [ -f "$exe32" ]; then
    check "win32: Solvane.exe is large-address aware" \
        eval 'grep -q "large address aware" <<<"$(i686-w64-mingw32-objdump -p "$exe32")"'
fi

# The check itself: a program importing winmm.dll the ordinary way fails it.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
printf '#include <windows.h>\n#include <mmsystem.h>\nint main(void) { return PlaySoundW(0, 0, 0); }\n' > "$scratch/t.c"
if x86_64-w64-mingw32-gcc "$scratch/t.c" -o "$scratch/t.exe" -lwinmm 2>/dev/null; then
    check "a program importing winmm.dll at load time fails the check" \
        eval '! only_known x86_64-w64-mingw32-objdump "$scratch/t.exe"'
fi

summary "dll imports"
