#!/bin/sh
# Makes a delay-load import library for one system DLL from the toolchain's
# ordinary import library: every function it names, called through a stub
# that loads the DLL at the first call.
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
"$dlltool" $kill --input-def "$def" --output-delaylib "$out" --dllname "$dll"
