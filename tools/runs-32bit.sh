#!/bin/sh
# Succeeds where this machine really starts 32-bit Windows programs: Wine's
# own 32-bit command interpreter, run in the build tree's 32-bit prefix, ends
# with the code it is given. Within a time limit: under user-mode emulation
# (qemu-i386 registered with the kernel) Wine does start, but far too slowly
# for the tests.
#   runs-32bit.sh BUILD_DIR
build=$(cd "$1" && pwd)
timeout 180 "$(dirname "$0")/wine-run.sh" "$build" /usr/bin/wine cmd /c exit 32 >/dev/null 2>&1
status=$?
WINEPREFIX="$build/wine/prefix" wineserver -k 2>/dev/null
[ $status = 32 ]
