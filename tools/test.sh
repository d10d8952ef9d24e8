#!/bin/sh
# Runs every test: the native tests under the sanitizers, then the Windows-side
# tests under Wine in a virtual X display. Installs what it needs first.
set -eu
cd "$(dirname "$0")/.."
./tools/deps.sh

jobs=$(nproc)
build=${BRIGHTLARK_BUILD:-build}

# Every include of the set-up's sources points down its floors.
tools/check-layers.sh .

echo "== native tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake --no-warn-unused-cli -S . -B "$build/native" -G Ninja >/dev/null
cmake --build "$build/native" -j "$jobs"
ctest --test-dir "$build/native" --output-on-failure -j "$jobs"

# The product is the 32-bit program; it is always built and its imports checked.
echo "== set-up program, 32-bit"
cmake --no-warn-unused-cli -S . -B "$build/win32" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build "$build/win32" -j "$jobs"
./tools/size.sh "$build/win32"
tools/check-imports.sh i686-w64-mingw32-objdump "$build/win32"/setup*.exe \
    "$build/win32"/tests/wine/*.exe "$build/win32"/sample/*.exe "$build/win32"/sample/*.dll
tools/check-instructions.sh i686-w64-mingw32-objdump "$build/win32"/setup*.exe
tools/check-manifest.sh res/setup.manifest
tools/reproducible.sh "$build/win32" "$build/reproducible"

# The 64-bit twin of the same sources under 64-bit Wine: a quick first pass.
# A failure there fails the command, but only after the 32-bit run.
echo "== Windows-side tests of the 64-bit twin ($build/win64) under 64-bit Wine"
cmake --no-warn-unused-cli -S . -B "$build/win64" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
cmake --build "$build/win64" -j "$jobs"
twin=passed
xvfb-run -a -s "-screen 0 1024x768x24" \
    ctest --test-dir "$build/win64" --output-on-failure -j 1 || twin=failed

# Then the program we ship. Where this kernel cannot start 32-bit programs
# (no IA-32 emulation), the test machine does: an emulated PC, much slower.
# BRIGHTLARK_TEST_MACHINE=1 sends them there on any machine.
ctest_win32="ctest --test-dir $build/win32 --output-on-failure -j 1"
if [ "${BRIGHTLARK_TEST_MACHINE:-}" = 1 ]; then
    why="BRIGHTLARK_TEST_MACHINE=1"
elif tools/runs-32bit.sh "$build/win32"; then
    echo "== Windows-side tests of the 32-bit build ($build/win32) under 32-bit Wine"
    xvfb-run -a -s "-screen 0 1024x768x24" $ctest_win32
else
    why="this machine cannot start 32-bit programs"
fi
if [ -n "${why:-}" ]; then
    echo "== Windows-side tests of the 32-bit build ($build/win32) in the test machine ($why)"
    tests/vm/run.sh "$build/win32" $ctest_win32
fi

echo "== the 32-bit build's Windows-side tests passed; the 64-bit twin's $twin"
[ $twin = passed ]
