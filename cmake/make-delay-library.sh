#!/bin/sh
# Makes a delay-load import library for one system DLL from the toolchain's
# ordinary import library: every function it names, called through a stub
# that loads the DLL at the first call. For i686 it also writes OUTPUT.keep.ld,
# a linker script naming every stub, which the program's link reads before
# the library.
#
# Why i686 needs it: each member dlltool writes holds the function's stub
# (`jmp *slot`, then `mov eax, slot; jmp tailmerge`) and its slot, and the
# slot starts out pointing at the second half of the stub. The i686 linker
# (ld's i386 PE emulation; the x86_64 one has no such step) takes any member
# of an import library whose stub symbol nothing refers to by name for an
# ordinary import stub, dead code, and leaves its code out of the link. Calls
# through a dllimport declaration name only the slot (`__imp__F@N`), so the
# code went and the slot was left 0: the first call of the function jumped
# to address 0. Naming each stub as undefined before the library is read
# (EXTERN) keeps every stub, and every member with it; the cost is a few
# bytes for each function of these DLLs that the program never calls.
# scripts/check-import-slots.py reads the linked program for such slots.
# Usage: make-delay-library.sh NM DLLTOOL IMPORT_LIBRARY DLL_NAME OUTPUT i686|x86_64
set -eu
nm=$1 dlltool=$2 import=$3 dll=$4 out=$5 arch=$6
def="$out.def"
if [ "$arch" = i686 ]; then prefix='__imp__'; kill='-k'; else prefix='__imp_'; kill=''; fi
{
    echo "LIBRARY $dll"
    echo "EXPORTS"
    "$nm" "$import" | sed -n "s/.* I $prefix//p" | sort -u
} > "$def"
# Written in its own folder under its bare name, as dlltool names the
# library's symbols after the path it is given: the descriptor of
# libgdiplus_delay.a is __DELAY_IMPORT_DESCRIPTOR_libgdiplus_delay_a
# wherever the build lies, which GdiplusSession binds by
# (base/win/gdiplus_scoped.cpp).
(cd "$(dirname "$out")" && "$dlltool" $kill --input-def "$def" --output-delaylib "$(basename "$out")" --dllname "$dll")
if [ "$arch" = i686 ]; then
    "$nm" "$out" | sed -n 's/^[0-9a-f]* T \(_[^_].*\)$/EXTERN("\1")/p' | sort -u > "$out.keep.ld"
fi
