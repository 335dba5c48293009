#!/usr/bin/env bash
# Fetches Debian's source package of expat, the XML parser the calendar sync
# reads servers' answers with (Debian's patches, security fixes among them,
# applied by dpkg-source), into a cache folder. The .dsc is checked against
# the pinned SHA-256 and names the checksums of the tarballs, which
# dpkg-source checks in turn.
# apt-get fetches it through the machine's own Debian entries, as source
# entries in a private list: the system's apt configuration is not touched.
# Usage: fetch-expat.sh CACHE_DIR   -> CACHE_DIR/lib/*.c, CACHE_DIR/lib/*.h
set -euo pipefail
cache=${1:?cache folder}
version=2.5.0-1+deb12u2
pinned=6fc87dbd01f49999ed368cfb37c08d35e41348dda2281d60642f3aa14cb77e32

if [ -f "$cache/lib/xmlparse.c" ] && [ "$(cat "$cache/sha256" 2>/dev/null)" = "$pinned" ]; then
    exit 0
fi
mkdir -p "$cache"
work=$(mktemp -d "$cache/fetch.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/parts" "$work/lists/partial" "$work/cache/archives/partial" "$work/source"
# The Debian entries of the machine (deb822 .sources files and one-line
# lists), turned into source entries.
python3 - "$work/parts/debian-source.sources" <<'PY'
import glob, re, sys
stanzas = []
for name in sorted(glob.glob("/etc/apt/sources.list.d/*.sources")):
    for stanza in open(name, encoding="utf-8", errors="replace").read().split("\n\n"):
        fields = dict(re.findall(r"^([A-Za-z-]+):\s*(.*)$", stanza, re.M))
        if "deb" in fields.get("Types", "").split() and "/debian" in fields.get("URIs", ""):
            keep = {k: v for k, v in fields.items() if k in ("URIs", "Suites", "Components", "Signed-By")}
            stanzas.append("Types: deb-src\n" + "".join(f"{k}: {v}\n" for k, v in keep.items()))
for name in ["/etc/apt/sources.list"] + sorted(glob.glob("/etc/apt/sources.list.d/*.list")):
    try:
        lines = open(name, encoding="utf-8", errors="replace").read().splitlines()
    except OSError:
        continue
    for line in lines:
        m = re.match(r"^deb\s+(\[[^\]]*\]\s+)?(\S+/debian\S*)\s+(\S+)\s+(.+)$", line.strip())
        if m:
            stanzas.append(f"Types: deb-src\nURIs: {m.group(2)}\nSuites: {m.group(3)}\nComponents: {m.group(4)}\n")
if not stanzas:
    sys.exit("fetch-expat: no Debian entries in /etc/apt")
open(sys.argv[1], "w").write("\n".join(stanzas))
PY
apt_options=(-q -o "Dir::Etc::SourceList=$work/none.list" -o "Dir::Etc::SourceParts=$work/parts"
    -o "Dir::State::Lists=$work/lists" -o "Dir::Cache=$work/cache" -o APT::Sandbox::User=root)
apt-get "${apt_options[@]}" update >"$work/apt.log" 2>&1 || { cat "$work/apt.log" >&2; exit 1; }
(cd "$work/source" && apt-get "${apt_options[@]}" source --download-only "expat=$version") >>"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log" >&2; exit 1; }
dsc=$work/source/expat_$version.dsc
actual=$(sha256sum "$dsc" | cut -d' ' -f1)
if [ "$actual" != "$pinned" ]; then
    echo "fetch-expat: checksum mismatch for $(basename "$dsc"): $actual" >&2
    exit 1
fi
dpkg-source --require-strong-checksums -x "$dsc" "$work/unpacked" >>"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log" >&2; exit 1; }
rm -rf "$cache/lib"
mkdir -p "$cache/lib"
cp "$work/unpacked/expat/lib/"*.c "$work/unpacked/expat/lib/"*.h "$work/unpacked/expat/COPYING" "$cache/lib/"
echo "$pinned" > "$cache/sha256"
