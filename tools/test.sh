#!/bin/sh
# Runs every test: the native tests under the sanitizers, then the Windows-side
# tests under Wine in a virtual X display. Installs what it needs first.
set -eu
cd "$(dirname "$0")/.."
./tools/deps.sh

jobs=$(nproc)
build=${BRIGHTLARK_BUILD:-build}

echo "== native tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake --no-warn-unused-cli -S . -B "$build/native" -G Ninja >/dev/null
cmake --build "$build/native" -j "$jobs"
ctest --test-dir "$build/native" --output-on-failure -j "$jobs"

# The product is the 32-bit program; it is always built and its imports checked.
echo "== set-up program, 32-bit"
cmake --no-warn-unused-cli -S . -B "$build/win32" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build "$build/win32" -j "$jobs"
./tools/size.sh "$build/win32"
tests/wine/check-imports.sh i686-w64-mingw32-objdump "$build/win32"/setup*.exe \
    "$build/win32"/tests/wine/*.exe "$build/win32"/sample/*.exe "$build/win32"/sample/*.dll

# Some kernels (virtual machines without IA-32 emulation) cannot start 32-bit
# programs, and so neither 32-bit Wine. There the same sources are built for
# 64-bit Windows and the Windows-side tests run under 64-bit Wine.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    wintree="$build/win32"
else
    echo "== this machine cannot run 32-bit programs: Windows-side tests run the 64-bit build"
    wintree="$build/win64"
    cmake --no-warn-unused-cli -S . -B "$wintree" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
    cmake --build "$wintree" -j "$jobs"
fi

echo "== Windows-side tests under Wine ($wintree)"
xvfb-run -a -s "-screen 0 1024x768x24" \
    ctest --test-dir "$wintree" --output-on-failure -j 1

# The figures of the end-to-end run: the install pass against LZ32 alone.
grep -h "install pass" "$wintree/Testing/Temporary/LastTest.log" || true
