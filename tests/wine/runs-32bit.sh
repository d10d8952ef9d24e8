#!/bin/sh
# Succeeds where this machine really starts 32-bit Windows programs: the
# probe, run under 32-bit Wine in the build tree's prefix, ends with 32.
# Within a time limit: under user-mode emulation (qemu-i386 registered with
# the kernel) Wine does start, but far too slowly for the tests.
#   runs-32bit.sh BUILD_DIR
build=$(cd "$1" && pwd)
timeout 180 "$(dirname "$0")/wine-run.sh" "$build" /usr/bin/wine "$build/tests/wine/probe.exe" >/dev/null 2>&1
status=$?
WINEPREFIX="$build/wine/prefix" wineserver -k 2>/dev/null
[ $status = 32 ]
