#!/bin/sh
# Builds the set-up program and starts it under Wine, from a simulated
# product CD (drive R:) as the CD's autorun would. With a display ($DISPLAY)
# you play it yourself; without one it plays the fresh installation in a
# virtual display and saves a screenshot of every dialog in build/screenshots.
# Installs what it needs first. Extra arguments go to the set-up program.
set -eu
cd "$(dirname "$0")/.."
./tools/build.sh >/dev/null
build=${BRIGHTLARK_BUILD:-build}

# The same choice as the tests: the 32-bit program where this machine can
# start 32-bit programs, else the 64-bit build of the same sources.
if tests/wine/runs-32bit.sh "$build/win32"; then
    tree="$build/win32" loader=/usr/bin/wine
else
    tree="$build/win64" loader=/usr/lib/wine/wine64
    cmake --no-warn-unused-cli -S . -B "$tree" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
    cmake --build "$tree" -j "$(nproc)" >/dev/null
fi
tree=$(cd "$tree" && pwd)
tests/wine/e2e/prepare-cd.sh "$tree" "$loader" >/dev/null

if [ -n "${DISPLAY:-}" ]; then
    echo "Starting R:\\setup.exe /autorun $* (Wine prefix: $tree/wine/prefix)"
    cd "$tree/wine/cd"
    exec "$OLDPWD/tests/wine/wine-run.sh" "$tree" "$loader" 'R:\setup.exe' /autorun "$@"
fi

shots="$(pwd)/$build/screenshots"
rm -rf "$shots" && mkdir -p "$shots"
echo "No display: playing the fresh installation in a virtual display"
BRIGHTLARK_SCREENSHOTS="$shots" xvfb-run -a -s "-screen 0 1024x768x24" \
    tests/wine/wine-run.sh "$tree" "$loader" "$tree/tests/wine/test_e2e.exe" "$tree" "fresh install by autorun"
echo "Screenshots: $shots"
