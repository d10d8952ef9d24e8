#!/bin/sh
# Lays out the product CD for the end-to-end run and mounts it as drive R:
# of the test prefix, a CD-ROM drive as Windows sees it.
#   prepare-cd.sh BUILD_DIR WINE_LOADER
set -eu
build=$1 loader=$2
here=$(cd "$(dirname "$0")" && pwd)
cd_root="$build/wine/cd"
prefix=$build/wine/prefix
case "$loader" in *wine64) prefix=${prefix}64 ;; esac

rm -rf "$cd_root"
mkdir -p "$cd_root/directx" "$cd_root/SoundFX"
cp "$build/setup.exe" "$cd_root/setup.exe"
cp "$build/sample/standin.exe" "$cd_root/mp3coder.exe"
cp "$build/sample/standin.exe" "$cd_root/directx/dxsetup.exe"
printf 'Sound effect packs\r\n' >"$cd_root/SoundFX/readme.txt"

# The drive type comes from the registry when Wine starts, from its 64-bit
# view, which a 32-bit reg.exe reaches only when asked.
"$here/wine-run.sh" "$build" "$loader" reg add 'HKLM\Software\Wine\Drives' \
    /v r: /t REG_SZ /d cdrom /f /reg:64 >/dev/null
# Xvfb has no window manager: Wine draws the frames and captions itself
# (as a user sees them), and does not wait for a manager to hide a window.
"$here/wine-run.sh" "$build" "$loader" reg add 'HKCU\Software\Wine\X11 Driver' \
    /v Managed /t REG_SZ /d N /f >/dev/null
ln -sfn "$cd_root" "$prefix/dosdevices/r:"
WINEPREFIX="$prefix" "$(dirname "$loader")/wineserver" -k 2>/dev/null || true
WINEPREFIX="$prefix" "$(dirname "$loader")/wineserver" -w 2>/dev/null || true
