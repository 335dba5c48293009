#!/usr/bin/env bash
# Fetches the official SQLite amalgamation (carried by the npm package sqlite3)
# into a cache folder and checks it against the pinned SHA-256 before use.
# Usage: fetch-sqlite.sh CACHE_DIR   -> CACHE_DIR/sqlite3.c, CACHE_DIR/sqlite3.h
set -euo pipefail
cache=${1:?cache folder}
package=sqlite3@6.0.1
inner=package/deps/sqlite-autoconf-3520000.tar.gz
pinned=f6b50b0c103392af32a8be15b2b9d25959de9a00a70c3979128aafeaa5338b3f

if [ -f "$cache/sqlite3.c" ] && [ -f "$cache/sqlite3.h" ] && [ "$(cat "$cache/sha256" 2>/dev/null)" = "$pinned" ]; then
    exit 0
fi
mkdir -p "$cache"
work=$(mktemp -d "$cache/fetch.XXXXXX")
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent "$package" >/dev/null)
tar -xzf "$work"/sqlite3-*.tgz -C "$work" "$inner"
actual=$(sha256sum "$work/$inner" | cut -d' ' -f1)
if [ "$actual" != "$pinned" ]; then
    echo "fetch-sqlite: checksum mismatch for $inner: $actual" >&2
    exit 1
fi
tar -xzf "$work/$inner" -C "$work" --no-same-owner --strip-components=1 \
    sqlite-autoconf-3520000/sqlite3.c sqlite-autoconf-3520000/sqlite3.h
mv "$work/sqlite3.c" "$work/sqlite3.h" "$cache/"
echo "$pinned" > "$cache/sha256"
