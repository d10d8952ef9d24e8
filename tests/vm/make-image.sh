#!/bin/sh
# Makes the disk image of the test machine, the emulated PC that runs the
# 32-bit Windows-side tests where this machine cannot start 32-bit programs:
# Debian 12 with 32-bit Wine, Xvfb and CTest, its own kernel, a Japanese
# locale, and the two Wine prefixes (32-bit, and 64-bit with its 32-bit half)
# made by one first boot. Kept in a cache folder outside the clone, under a key
# made from the files that shape it; made again when one of them changes.
# Prints the folder.
#   make-image.sh   (as root, or as a user: see below)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cache=${BRIGHTLARK_VM_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/brightlark-testbed}
key=$(cat "$here/make-image.sh" "$here/init" "$here/../../tools/wine-run.sh" | sha256sum | cut -c1-16)
mkdir -p "$cache"
exec 9>"$cache/.lock"
flock 9
[ -f "$cache/$key/root.img" ] && { echo "$cache/$key"; exit 0; }

# Built aside and moved into place only when whole.
rm -rf --one-file-system "$cache"/new.*
tmp=$(mktemp -d "$cache/new.XXXXXX")
trap 'rm -rf --one-file-system "$tmp"' EXIT
step() {
    what=$1 began=$(date +%s)
    shift
    echo "test machine image: $what ..." >&2
    "$@" >"$tmp/log" 2>&1 || { echo "test machine image: could not $what:" >&2; tail -n 25 "$tmp/log" >&2; exit 1; }
    echo "test machine image: $what: $(($(date +%s) - began)) s" >&2
}

# Debian goes into a tarball, its owners recorded, that this user writes:
# mmdebstrap runs as root directly, as a user in a user namespace of its own
# (its unshare mode: the user's subordinate ids from /etc/subuid), or else
# through sudo. The kernel's initramfs holds only what the machine needs: the
# disk, its file system and the shared folders. What the tests call: Wine and
# Xvfb, CTest, the import check's objdump, and a Japanese locale for the runs
# under code page 932.
[ "$(id -u)" = 0 ] || mmdebstrap --unshare-helper true 2>/dev/null || as_root=sudo
modules='printf "%s\n" virtio_pci virtio_blk ext4 9p 9pnet_virtio >"$1/etc/initramfs-tools/modules"'
step "install Debian 12 with its kernel, Wine, Xvfb and CMake" sh -c 'exec "$@" >"$0"' "$tmp/root.tar" \
    ${as_root:-} mmdebstrap --variant=required --architectures=amd64,i386 \
    --essential-hook='mkdir -p "$1/etc/initramfs-tools/conf.d"' --essential-hook="$modules" \
    --essential-hook='echo MODULES=list >"$1/etc/initramfs-tools/conf.d/testbed"' \
    --include=linux-image-amd64,iproute2,wine,wine64,wine32:i386,libwine:i386,xvfb,xauth,cmake,binutils-mingw-w64-i686,locales,osslsigncode,openssl \
    --customize-hook='chroot "$1" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8' bookworm - http://deb.debian.org/debian
# fakeroot gives the files their recorded owners without root, for mke2fs to
# copy into the image, with room for the prefixes and for what the tests write.
step "pack the file system into an image" fakeroot sh -c 'cd "$1" && mkdir root && tar -xpf root.tar -C root --numeric-owner &&
    rm root.tar && install -m 755 "$2" root/sbin/testbed-init && cp root/boot/vmlinuz-* vmlinuz && cp root/boot/initrd.img-* initrd.img &&
    /sbin/mke2fs -q -t ext4 -d root root.img "$(($(du -sm root | cut -f1) + 3072))M" && rm -rf root' pack "$tmp" "$here/init"
step "make the Wine prefixes (first boot)" env BRIGHTLARK_VM_IMAGE="$tmp" BRIGHTLARK_VM_SNAPSHOT=off "$here/run.sh" \
    "$tmp" sh -c 'for loader in /usr/bin/wine /usr/lib/wine/wine64; do "$0" /var/lib/testbed $loader cmd /c exit || exit 1; done' \
    "$here/../../tools/wine-run.sh"
find "$cache" -mindepth 1 -maxdepth 1 ! -name .lock ! -name "$(basename "$tmp")" -exec rm -rf --one-file-system {} +
mv "$tmp" "$cache/$key"
trap - EXIT
echo "$cache/$key"
