#!/bin/sh
# Builds the set-up a second time, from a copy of the sources in another
# folder, and fails unless setup.exe comes out the same to the byte as the
# first build's, with no folder of either build written into it.
#   reproducible.sh BUILD_A BUILD_B
# BUILD_A: a 32-bit build tree of these sources; BUILD_B: the folder for the
# second build (emptied first).
set -eu
first=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")/.." && pwd)
rm -rf "$2"
mkdir -p "$2/source"
second=$(cd "$2" && pwd)
# The source tree as it is now, from a clone or an unpacked archive alike
# (git need not be there), less the version control's folder, the build trees
# (the folders that hold a CMakeCache.txt) and this second build.
tar cf - -C "$here" --exclude-vcs --exclude-tag-all=CMakeCache.txt \
    --exclude="./${second#"$here"/}" . | tar xf - -C "$second/source"
cmake --no-warn-unused-cli -S "$second/source" -B "$second/win32" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build "$second/win32" --target setup >"$second/build.log" || { cat "$second/build.log"; exit 1; }
status=0
for program in "$first/setup.exe" "$second/win32/setup.exe"; do
    sha256sum "$program"
    if strings -a "$program" | grep -F -e "$here" -e "$first" -e "$second"; then
        echo "$program holds the path of a build"
        status=1
    fi
done
cmp "$first/setup.exe" "$second/win32/setup.exe" || status=1
exit $status
