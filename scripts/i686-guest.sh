# Sourced by the scripts that run the 32-bit release as shipped. This
# machine's kernel runs no 32-bit code, so a whole 32-bit machine is emulated:
# a Debian 12 i386 guest under qemu-system-i386 (software emulation: KVM fails
# on 32-bit guests here) with 32-bit Wine 8.0, Xvfb, CJK fonts and the zh-CN
# locale, from Debian's packages alone and with no network in the guest. Its
# image is built once (about 3 minutes, downloads included) and cached; each
# run boots a snapshot of it, so the cache stays clean and runs side by side
# do not meet.
#
#   ensure_guest_image            the cached image, built when missing;
#                                 exports SOLVANE_GUEST_IMAGE (its folder)
#   guest_run JOBDIR [SECONDS]    runs JOBDIR/in/run.sh in a fresh guest and
#                                 returns its status (default limit 600 s)
#
# A job is a folder the caller makes: in/ holds run.sh and what it needs. The
# guest copies in/ to /job on its own disk and runs `bash /job/run.sh` there,
# as root, in /job, with
#   DISPLAY      an Xvfb display (1280x800x24, -noreset, no window
#                manager) started by the guest before run.sh
#   WINEPREFIX   /root/.wine, a copy for this job of the template prefix
#                /root/wine-template (made once in the image: wineboot under
#                zh_CN.UTF-8, so code page 936; crash dialog off, frames drawn
#                by Wine, the Chinese font names mapped to WenQuanYi Micro
#                Hei, Tahoma in its font folder). `new-wine-prefix DIR` makes
#                another fresh copy.
#   LC_ALL=LANG=zh_CN.UTF-8, WINEDEBUG=-all, WINEDLLOVERRIDES="mscoree,mshtml=",
#   WINEARCH=win32, SOLVANE_JOB_LIMIT (the seconds run.sh is given)
# and puts what it wants back in /job/out/. After the run, JOBDIR holds
#   out/          /job/out/ copied back, and out/rc: run.sh's exit status
#   output.log    run.sh's standard output and error (printed as it comes)
#   console.log   the guest's console: kernel, init, timings
# Tools in the guest: bash, coreutils, wine, Xvfb, xdotool, x11-utils,
# x11-apps, ImageMagick (import -window root, compare), unzip, procps.
# A test program that reads files at absolute host paths needs them at the
# same paths in the guest: run.sh makes them from what in/ brings.
root=${root:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
guest_recipe="$root/scripts/i686-guest"
SOLVANE_GUEST_CACHE=${SOLVANE_GUEST_CACHE:-/var/cache/solvane-i686-guest}

# What the host needs to build and to run the guest, by command and package.
guest_host_tools() {
    local missing=() pair
    for pair in qemu-system-i386:qemu-system-x86 depmod:kmod cpio:cpio mkfs.ext4:e2fsprogs \
        e2fsck:e2fsprogs; do
        command -v "${pair%%:*}" >/dev/null 2>&1 || missing+=("${pair#*:}")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "i686-guest: run as root to install ${missing[*]}" >&2
        return 1
    fi
    echo "i686-guest: installing ${missing[*]}" >&2
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq -o DPkg::Lock::Timeout=600 &&
        apt-get install -y -qq --no-install-recommends -o DPkg::Lock::Timeout=600 \
            "${missing[@]}" >/dev/null
}

# The image's name: a hash of the recipe (package list, scripts, settings),
# so that a changed recipe builds a new image beside the old one.
guest_image_key() {
    (cd "$guest_recipe" && for file in $(ls | LC_ALL=C sort); do
        echo "== $file"
        cat "$file"
    done) | sha256sum | cut -c1-16
}

ensure_guest_image() {
    local key dir
    key=$(guest_image_key)
    dir="$SOLVANE_GUEST_CACHE/$key"
    if [ ! -f "$dir/ready" ]; then
        guest_host_tools || return 1
        mkdir -p "$SOLVANE_GUEST_CACHE"
        (
            flock 9
            [ -f "$dir/ready" ] && exit 0
            echo "i686-guest: building the guest image $key (a few minutes)" >&2
            local began=$SECONDS
            "$guest_recipe/build-image.sh" "$dir.build" "$SOLVANE_GUEST_CACHE/debs" || exit 1
            date -u +%FT%TZ >"$dir.build/ready"
            rm -rf "$dir"
            mv "$dir.build" "$dir"
            echo "i686-guest: image built in $((SECONDS - began)) s" >&2
            # Images of older recipes go, but for the one used last: a
            # checkout of another recipe on this machine (a developer's
            # beside CI's clone) keeps its image instead of building it
            # again each time, and a run that has just begun keeps its disk.
            # Downloads that neither image uses go too.
            local old deb kept=""
            for old in $(ls -dt "$SOLVANE_GUEST_CACHE"/*/last-used 2>/dev/null); do
                old=$(dirname "$old")
                [ "$old" = "$dir" ] && continue
                kept=$old
                break
            done
            for old in "$SOLVANE_GUEST_CACHE"/*/; do
                old=${old%/}
                case $(basename "$old") in "$key" | "$(basename "$kept")" | debs) continue ;; esac
                rm -rf "$old"
            done
            for deb in "$SOLVANE_GUEST_CACHE"/debs/*.deb; do
                grep -qxF "$deb" "$dir/debs.used" ${kept:+"$kept/debs.used"} 2>/dev/null || rm -f "$deb"
            done
        ) 9>"$SOLVANE_GUEST_CACHE/.lock" || { echo "i686-guest: the image could not be built" >&2; return 1; }
    fi
    export SOLVANE_GUEST_IMAGE=$dir
}

guest_run() {
    local job limit image
    job=$(cd "${1:?usage: guest_run JOBDIR [SECONDS]}" && pwd) || return 1
    limit=${2:-600}
    image=${SOLVANE_GUEST_IMAGE:?guest_run: call ensure_guest_image first}
    if [ ! -f "$job/in/run.sh" ]; then
        echo "guest_run: no $job/in/run.sh" >&2
        return 1
    fi
    case $job in *,*)
        echo "guest_run: qemu takes no comma in the job's path: $job" >&2
        return 1 ;;
    esac
    guest_host_tools || return 1
    touch "$image/last-used" 2>/dev/null || true
    rm -rf "$job/out" "$job/console.log" "$job/output.log"
    mkdir -p "$job/out"
    : >"$job/output.log"

    # run.sh gets the limit less what boot, copying and power-off take, so
    # that a job cut short still brings its out/ (screenshots, logs) back.
    local inner=$((limit - 60))
    [ $inner -lt 30 ] && inner=30
    local snapshot=-snapshot
    # The image's own first boot writes to it.
    [ -n "${SOLVANE_GUEST_WRITABLE:-}" ] && snapshot=""
    local began=$SECONDS status=0
    # shellcheck disable=SC2086
    timeout -k 10 "$limit" qemu-system-i386 \
        -machine pc -accel tcg -cpu max,-smap -smp 2 -m 2048 \
        -nodefaults -display none -monitor none -no-reboot -nic none \
        -kernel "$image/vmlinuz" -initrd "$image/initrd.img" \
        -append "console=ttyS0 loglevel=4 panic=1 solvane.limit=$inner" \
        -drive "file=$image/root.img,format=raw,if=virtio" $snapshot \
        -virtfs "local,path=$job,mount_tag=job,security_model=passthrough,id=job" \
        -serial "file:$job/console.log" -serial "file:$job/output.log" &
    local qemu=$!
    # The job's output as it comes, so a long job shows where it is.
    tail -n +1 -f --pid=$qemu "$job/output.log" 2>/dev/null &
    local tailer=$!
    wait $qemu || status=$?
    wait $tailer 2>/dev/null || true
    if [ $status -eq 124 ] || [ $status -eq 137 ]; then
        echo "guest_run: the guest was still running after $limit s and was stopped" >&2
    elif [ $status -ne 0 ]; then
        echo "guest_run: qemu ended with status $status (see $job/console.log)" >&2
    fi
    if [ ! -s "$job/out/rc" ]; then
        echo "guest_run: the guest reported no status (see $job/console.log)" >&2
        return 125
    fi
    echo "guest_run: guest up $((SECONDS - began)) s, run.sh ended with $(cat "$job/out/rc")" >&2
    return "$(cat "$job/out/rc")"
}
