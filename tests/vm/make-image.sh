#!/bin/sh
# Makes the disk image of the test machine, the emulated PC that runs the
# 32-bit Windows-side tests where this machine cannot start 32-bit programs:
# Debian 12 with 32-bit Wine, Xvfb and CTest, its own kernel, and the two
# Wine prefixes (32-bit, and 64-bit with its 32-bit half) made by one first
# boot. Kept in a cache folder outside the clone, under a key made from the
# files that shape it; made again when one of them changes. Prints the folder.
#   make-image.sh
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cache=${BRIGHTLARK_VM_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/brightlark-testbed}
key=$(cat "$here/make-image.sh" "$here/init" "$here/../wine/wine-run.sh" | sha256sum | cut -c1-16)
mkdir -p "$cache"
exec 9>"$cache/.lock"
flock 9
if [ -f "$cache/$key/root.img" ]; then echo "$cache/$key"; exit 0; fi

# Built aside and moved into place only when whole.
rm -rf "$cache"/new.*
tmp=$(mktemp -d "$cache/new.XXXXXX")
root=$tmp/root
trap 'umount "$root/proc" 2>/dev/null || true; rm -rf "$tmp"' EXIT
trap 'exit 1' INT TERM

step() {
    what=$1 began=$(date +%s)
    shift
    echo "test machine image: $what ..." >&2
    if ! "$@" >"$tmp/log" 2>&1; then
        echo "test machine image: could not $what:" >&2
        tail -n 25 "$tmp/log" >&2
        exit 1
    fi
    echo "test machine image: $what: $(($(date +%s) - began)) s" >&2
}
in_root() { chroot "$root" /usr/bin/env DEBIAN_FRONTEND=noninteractive "$@"; }
install_packages() {
    mount -t proc proc "$root/proc"
    in_root dpkg --add-architecture i386
    in_root apt-get update
    # What the Windows-side tests call: Wine and Xvfb, CTest, the import
    # check's objdump, and mount and flock from the base system.
    in_root apt-get install -y --no-install-recommends linux-image-amd64 iproute2 \
        wine wine64 wine32:i386 libwine:i386 xvfb xauth cmake binutils-mingw-w64-i686
    in_root apt-get clean
    umount "$root/proc"
}
pack() {
    cp "$root"/boot/vmlinuz-* "$tmp/vmlinuz"
    cp "$root"/boot/initrd.img-* "$tmp/initrd.img"
    chmod 644 "$tmp/vmlinuz" "$tmp/initrd.img"
    # Room for the prefixes and for what the tests write.
    size=$(($(du -sm "$root" | cut -f1) + 3072))
    mke2fs -q -t ext4 -L testbed -d "$root" "$tmp/root.img" "${size}M"
    rm -rf "$root"
}
make_prefixes() {
    BRIGHTLARK_VM_IMAGE=$tmp BRIGHTLARK_VM_SNAPSHOT=off "$here/run.sh" "$tmp" sh -c '
        for loader in /usr/bin/wine /usr/lib/wine/wine64; do
            began=$(date +%s)
            "$0" /var/lib/testbed "$loader" cmd /c exit || exit 1
            echo "prefix for $loader: $(($(date +%s) - began)) s"
        done' "$here/../wine/wine-run.sh"
}

step "fetch and install Debian 12 (debootstrap)" \
    debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
mkdir -p "$root/etc/initramfs-tools/conf.d"
# Only what the test machine needs; without udev these stay loaded.
printf '%s\n' virtio_pci virtio_blk ext4 9p 9pnet_virtio >>"$root/etc/initramfs-tools/modules"
echo MODULES=list >"$root/etc/initramfs-tools/conf.d/testbed"
step "install the kernel, Wine, Xvfb and CMake" install_packages
install -m 755 "$here/init" "$root/sbin/testbed-init"
step "pack the file system into an image" pack
step "make the Wine prefixes (first boot)" make_prefixes
grep "^prefix for" "$tmp/log" >&2 || true
rm "$tmp/log"
find "$cache" -mindepth 1 -maxdepth 1 ! -name .lock ! -name "$(basename "$tmp")" -exec rm -rf {} +
mv "$tmp" "$cache/$key"
trap - EXIT
echo "$cache/$key"
