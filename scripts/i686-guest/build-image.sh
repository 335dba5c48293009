#!/usr/bin/env bash
# Makes the 32-bit guest's image in the folder OUT: a kernel, an initrd that
# mounts the root file system, the root file system (ext4, raw) and, made in
# the guest's own first boot, a Wine template prefix as on Chinese Windows.
# Usage: build-image.sh OUT DEBS (DEBS: the download cache, kept between
# images). Called by ensure_guest_image (scripts/i686-guest.sh), as root.
#
# This machine's dpkg must never learn of i386 (it breaks 64-bit Wine here),
# so apt runs with state, cache and sources of its own, for i386 alone, and
# only downloads. The packages are unpacked here with dpkg-deb, not installed
# in the guest: dpkg under full-system emulation took 18 minutes for them,
# while unpacking needs no emulation. Their maintainer scripts never run; what
# of them the guest needs is done below (users, a merged /usr, the
# alternatives used) and in first-boot.sh (the library cache, the locale, the
# font cache, the prefix), the only part that runs emulated.
set -euo pipefail
recipe=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
out=$1
debs=$2
work=$out/work
rootfs=$work/root
log=$out/build.log

say() { echo "i686-guest: $(date +%T) $*" >&2; }
fail() { echo "i686-guest: $*" >&2; tail -n 30 "$log" >&2 2>/dev/null || true; exit 1; }

rm -rf "$out"
mkdir -p "$work" "$debs/partial"
: >"$log"

# --- apt of its own, i386 only ----------------------------------------------------------
# The mirror is the one this machine's own sources name for bookworm, so a
# machine behind a mirror of its own keeps using it.
host_mirror() {
    {
        cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
            awk '$1 == "deb" { i = 2; if ($i ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
                               if ($(i + 1) == "bookworm") print $i }'
        cat /etc/apt/sources.list.d/*.sources 2>/dev/null |
            awk 'BEGIN { RS = ""; FS = "\n" }
                 { u = ""; s = ""
                   for (i = 1; i <= NF; i++) {
                       if ($i ~ /^URIs:/) { u = $i; sub(/^URIs:[ \t]*/, "", u); sub(/[ \t].*/, "", u) }
                       if ($i ~ /^Suites:/) s = " " $i " " }
                   if (u != "" && s ~ /[ \t]bookworm[ \t]/) print u }'
    } | grep -v security | head -n 1
}
mirror=${SOLVANE_GUEST_MIRROR:-$(host_mirror)}
mirror=${mirror:-http://deb.debian.org/debian}
keyring=/usr/share/keyrings/debian-archive-keyring.gpg

apt_dir=$work/apt
mkdir -p "$apt_dir"/{state/lists/partial,etc/apt.conf.d,etc/preferences.d,etc/sources.list.d,etc/trusted.gpg.d}
: >"$apt_dir/state/status"
# Security updates are left out: the guest has no network, and their i386
# index has been seen half-synchronised on the mirror, failing the update.
cat >"$apt_dir/etc/sources.list" <<EOF
deb [signed-by=$keyring] $mirror bookworm main
deb [signed-by=$keyring] $mirror bookworm-updates main
EOF
cat >"$apt_dir/apt.conf" <<EOF
Dir::State "$apt_dir/state";
Dir::State::status "$apt_dir/state/status";
Dir::Cache "$apt_dir/cache";
Dir::Cache::archives "$debs";
Dir::Etc "$apt_dir/etc";
Dir::Etc::Parts "$apt_dir/etc/apt.conf.d";
Dir::Etc::Main "/dev/null";
Dir::Etc::Trusted "/dev/null";
Dir::Etc::TrustedParts "$apt_dir/etc/trusted.gpg.d";
APT::Architecture "i386";
APT::Architectures { "i386"; };
APT::Install-Recommends "false";
APT::Install-Suggests "false";
APT::Sandbox::User "root";
Acquire::Languages "none";
Acquire::Check-Valid-Until "false";
Acquire::Retries "3";
Debug::NoLocking "true";
EOF
# A proxy this machine's apt is told to use serves this apt too.
apt-config dump 2>/dev/null | grep -E '^Acquire::(http|https)::Proxy' >>"$apt_dir/apt.conf" || true
export APT_CONFIG=$apt_dir/apt.conf

say "package lists of bookworm i386 from $mirror"
ok=""
for _ in 1 2 3; do
    if apt-get update >>"$log" 2>&1; then ok=1; break; fi
    sleep 5
done
[ -n "$ok" ] || fail "apt-get update failed (see $log)"

wanted=$(sed 's/#.*//' "$recipe/packages.list" | awk 'NF { print $1 }')
# Taken from the download alone, not with their dependencies: the kernel's
# initrd tools would otherwise come in, and the guest uses an initrd of its own.
kernel_pkg=$(apt-cache depends linux-image-686 2>>"$log" | awk '$1 == "Depends:" && $2 ~ /^linux-image-/ { print $2; exit }')
[ -n "$kernel_pkg" ] || fail "no kernel package behind linux-image-686"
kernel_version=${kernel_pkg#linux-image-}
wanted=$(echo "$wanted" | grep -vx 'linux-image-686')
required=$(apt-cache dumpavail | awk '/^Package:/ { p = $2 } /^Priority: required$/ { print p }' | sort -u)

# The exact files: what apt would install, name and version, into a root
# that has nothing; the kernel beside them.
# shellcheck disable=SC2086
apt-get install -s $required $wanted >"$work/plan" 2>>"$log" ||
    fail "the packages cannot be resolved (see $log)"
awk '$1 == "Inst" { v = $3; gsub(/[()]/, "", v); print $2, v }' "$work/plan" >"$work/packages"
kernel_deb_version=$(apt-cache show --no-all-versions "$kernel_pkg" | awk '/^Version:/ { print $2; exit }')
count=$(($(wc -l <"$work/packages") + 1))
say "downloading what is missing of $count packages"
# shellcheck disable=SC2046
apt-get install -y --download-only $(awk '{ print $1 "=" $2 }' "$work/packages") >>"$log" 2>&1 ||
    fail "the download failed (see $log)"
if ! ls "$debs/${kernel_pkg}_${kernel_deb_version//:/%3a}_i386.deb" >/dev/null 2>&1; then
    (cd "$debs" && apt-get download "$kernel_pkg=$kernel_deb_version") >>"$log" 2>&1 ||
        fail "the kernel's download failed (see $log)"
fi
echo "$kernel_pkg $kernel_deb_version" >>"$work/packages"

debfile() {  # name version: the downloaded file
    local f
    for f in "$debs/$1_${2//:/%3a}_i386.deb" "$debs/$1_${2//:/%3a}_all.deb"; do
        [ -f "$f" ] && { echo "$f"; return 0; }
    done
    return 1
}
: >"$out/debs.used"
while read -r name version; do
    debfile "$name" "$version" >>"$out/debs.used" || fail "$name $version was not downloaded"
done <"$work/packages"

# --- the root folder ---------------------------------------------------------------------
say "unpacking $count packages"
mkdir -p "$rootfs"/usr/{bin,sbin,lib}
ln -s usr/bin "$rootfs/bin"
ln -s usr/sbin "$rootfs/sbin"
ln -s usr/lib "$rootfs/lib"
# Documentation, manuals and message translations are left out: nobody reads
# them in the guest, and without translations the tools' messages in the
# Chinese locale of the jobs stay English in the logs.
while read -r deb; do
    dpkg-deb --fsys-tarfile "$deb" |
        tar -x -C "$rootfs" --keep-directory-symlink \
            --exclude='./usr/share/doc/*' --exclude='./usr/share/man/*' \
            --exclude='./usr/share/info/*' --exclude='./usr/share/locale/*' \
            --exclude='./usr/share/lintian/*' ||
        fail "unpacking $deb failed"
done <"$out/debs.used"

# What the maintainer scripts would have made and the guest needs.
cp "$rootfs/usr/share/base-passwd/passwd.master" "$rootfs/etc/passwd"
cp "$rootfs/usr/share/base-passwd/group.master" "$rootfs/etc/group"
echo 'root:*:19000:0:99999:7:::' >"$rootfs/etc/shadow"
chmod 640 "$rootfs/etc/shadow"
# The alternatives the guest uses: /bin/sh, awk, which, wine's commands
# (wine-stable...) and ImageMagick's (import-im6.q16, compare-im6.q16...).
alternative() {  # command, the file it names in /usr/bin
    [ -e "$rootfs/usr/bin/$1" ] || [ -L "$rootfs/usr/bin/$1" ] || ln -s "$2" "$rootfs/usr/bin/$1"
}
alternative sh dash
alternative awk mawk
alternative which which.debianutils
for tool in "$rootfs"/usr/bin/*-stable "$rootfs"/usr/bin/*-im6.q16; do
    tool=$(basename "$tool")
    name=${tool%-stable}
    alternative "${name%-im6.q16}" "$tool"
done
[ -x "$rootfs/usr/bin/wine" ] && [ -x "$rootfs/usr/bin/import" ] || fail "wine or import missing in the guest"
# Wine's PE modules import zlib1.dll, which Debian's libwine makes from
# libz-mingw-w64's DLL by marking it as a Wine builtin.
for arch in i686:i386 x86_64:x86_64; do
    dll=$rootfs/usr/${arch%:*}-w64-mingw32/lib/zlib1.dll
    dest=$rootfs/usr/lib/i386-linux-gnu/wine/${arch#*:}-windows
    [ -f "$dll" ] && [ -d "$dest" ] || continue
    {
        head -c 64 "$dll"
        printf 'Wine builtin DLL'
        printf '\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0'
        tail -c +97 "$dll"
    } >"$dest/zlib1.dll"
done
[ -f "$rootfs/usr/lib/i386-linux-gnu/wine/i386-windows/zlib1.dll" ] || fail "no zlib1.dll for Wine"
# fontconfig's defaults as its configuration would set them (and as this
# machine has them): slight hinting, no bitmap fonts.
for conf in 10-hinting-slight.conf 70-no-bitmaps.conf; do
    ln -sf "/usr/share/fontconfig/conf.avail/$conf" "$rootfs/etc/fonts/conf.d/$conf"
done
# The time zone of this machine, so that the guest's today is the host's.
zone=$(readlink /etc/localtime 2>/dev/null | sed -n 's|.*/zoneinfo/||p')
[ -n "$zone" ] && [ -f "$rootfs/usr/share/zoneinfo/$zone" ] || zone=Etc/UTC
ln -sf "/usr/share/zoneinfo/$zone" "$rootfs/etc/localtime"
echo "$zone" >"$rootfs/etc/timezone"
echo guest >"$rootfs/etc/hostname"
printf '127.0.0.1 localhost\n127.0.1.1 guest\n::1 localhost\n' >"$rootfs/etc/hosts"
echo 'zh_CN.UTF-8 UTF-8' >"$rootfs/etc/locale.gen"
mkdir -p "$rootfs"/{proc,sys,dev,run,tmp,mnt/host,root,var/tmp,var/lib/solvane-guest}
chmod 1777 "$rootfs/tmp" "$rootfs/var/tmp"
chmod 700 "$rootfs/root"
install -m 755 "$recipe/guest-init" "$rootfs/usr/sbin/solvane-guest-init"
install -D -m 755 "$recipe/new-wine-prefix" "$rootfs/usr/local/bin/new-wine-prefix"

# --- kernel and initrd -------------------------------------------------------------------
modules=$rootfs/lib/modules/$kernel_version
[ -f "$rootfs/boot/vmlinuz-$kernel_version" ] || fail "no kernel in $kernel_pkg"
cp "$rootfs/boot/vmlinuz-$kernel_version" "$out/vmlinuz"
depmod -b "$rootfs" "$kernel_version" >>"$log" 2>&1 || fail "depmod failed"

# What the initrd loads to reach the root file system and the job's share,
# dependencies first (insmod needs no module index in the initrd). The crc32c
# implementation is a soft dependency of ext4 that modules.dep does not name.
initrd=$work/initrd
mkdir -p "$initrd"/{bin,dev,proc,sys,newroot,modules}
declare -A loaded=()
load_order=()
add_module() {  # path relative to the kernel's module folder
    local line dep
    [ -n "${loaded[$1]:-}" ] && return 0
    loaded[$1]=1
    line=$(grep -m1 "^$1:" "$modules/modules.dep") || fail "module $1 is not in modules.dep"
    for dep in ${line#*:}; do add_module "$dep"; done
    load_order+=("$1")
}
for name in virtio_pci virtio_blk crc32c_generic ext4 9pnet_virtio 9p; do
    if grep -q "/$name\.ko$" "$modules/modules.builtin"; then continue; fi
    path=$(grep -m1 -o "^[^:]*/$name\.ko:" "$modules/modules.dep" | tr -d :) || fail "no module $name"
    add_module "$path"
done
: >"$initrd/modules/order"
for path in "${load_order[@]}"; do
    cp "$modules/$path" "$initrd/modules/"
    basename "$path" >>"$initrd/modules/order"
done
busybox_deb=$(grep '/busybox-static_' "$out/debs.used")
dpkg-deb --fsys-tarfile "$busybox_deb" | tar -x -O ./bin/busybox >"$initrd/bin/busybox"
chmod 755 "$initrd/bin/busybox"
install -m 755 "$recipe/initrd-init" "$initrd/init"
(cd "$initrd" && find . | cpio -o -H newc --quiet) | gzip -1 >"$out/initrd.img"

# Neither the kernel nor the modules are needed on the root file system.
rm -rf "${rootfs:?}/boot" "${rootfs:?}/lib/modules"

# --- the file system image ---------------------------------------------------------------
say "making the file system ($(du -sh "$rootfs" | cut -f1) of files)"
truncate -s 4G "$out/root.img"
mkfs.ext4 -q -F -L solvane-guest -d "$rootfs" "$out/root.img" >>"$log" 2>&1 || fail "mkfs.ext4 failed"

# --- first boot: what must run in the guest ---------------------------------------------
say "first boot: library and font caches, the locale, the Wine template prefix"
job=$work/first-boot
mkdir -p "$job/in"
cp "$recipe/first-boot.sh" "$job/in/run.sh"
# regedit reads a UTF-16 file the same under any code page.
{ printf '\xff\xfe'; sed 's/$/\r/' "$recipe/wine-template.reg" | iconv -f UTF-8 -t UTF-16LE; } \
    >"$job/in/wine-template.reg"
# shellcheck source=../i686-guest.sh
. "$recipe/../i686-guest.sh"
SOLVANE_GUEST_IMAGE=$out SOLVANE_GUEST_WRITABLE=1 guest_run "$job" 1500 >>"$log" 2>&1 ||
    fail "the first boot failed (console: $job/console.log)"
e2fsck -fy "$out/root.img" >>"$log" 2>&1 || [ $? -le 1 ] || fail "e2fsck found the image broken"
cp "$job/console.log" "$out/first-boot.console.log"
cp "$job/output.log" "$out/first-boot.log"
rm -rf "$work"
say "image ready in $out"
