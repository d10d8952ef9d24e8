#!/bin/sh
# Installs, from Debian's packages, whatever the build and the tests need and
# the machine lacks. Safe to run again: it does nothing when all is there.
set -eu

packages="cmake ninja-build g++ googletest libgtest-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 wine32:i386 libwine:i386 xvfb xauth x11-utils imagemagick
  mscompress osslsigncode openssl valgrind qemu-system-x86 mmdebstrap e2fsprogs uidmap fakeroot locales python3"

as_root() {
    if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q ' installed$'
}

missing=""
for p in $packages; do
    installed "$p" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386
    fi
    as_root apt-get update -qq
    # wine32's triggers can fail on kernels that refuse 32-bit programs; the
    # packages are installed all the same, so only a failed unpack counts.
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends $missing >/dev/null || true
    for p in $missing; do
        installed "$p" || { echo "deps: could not install $p" >&2; exit 1; }
    done
fi

# The set-up is also tested under a Japanese locale (code page 932). Made
# through locale.gen, so that an upgrade of the locales package keeps it.
if ! locale -a | grep -qix 'ja_JP\.utf-\?8'; then
    echo "Making the locale ja_JP.UTF-8"
    as_root sh -c 'echo "ja_JP.UTF-8 UTF-8" >>/etc/locale.gen && locale-gen' >/dev/null
fi
