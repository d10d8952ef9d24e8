#!/bin/sh
# Builds the set-up program and starts it under Wine, from a simulated
# product CD (drive R:) as the CD's autorun would. With a display ($DISPLAY)
# you play it yourself; without one it plays the fresh installation (or the
# end-to-end scenario named by BRIGHTLARK_ROW) in a virtual display and saves
# what the screen shows as it changes, in build/screenshots.
# Installs what it needs first. Extra arguments go to the set-up program.
set -eu
cd "$(dirname "$0")/.."
./tools/build.sh >/dev/null
build=${BRIGHTLARK_BUILD:-build}

# The same choice as the tests: the 32-bit program where this machine can
# start 32-bit programs, else the 64-bit build of the same sources.
if tools/runs-32bit.sh "$build/win32"; then
    tree="$build/win32" loader=/usr/bin/wine
else
    tree="$build/win64" loader=/usr/lib/wine/wine64
    cmake --no-warn-unused-cli -S . -B "$tree" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
    cmake --build "$tree" -j "$(nproc)" >/dev/null
fi
tree=$(cd "$tree" && pwd)
tools/prepare-cd.sh "$tree" "$loader" >/dev/null

if [ -n "${DISPLAY:-}" ]; then
    echo "Starting R:\\setup.exe /autorun $* (Wine prefix: $tree/wine/prefix)"
    cd "$tree/wine/cd"
    exec "$OLDPWD/tools/wine-run.sh" "$tree" "$loader" 'R:\setup.exe' /autorun "$@"
fi

shots="$(pwd)/$build/screenshots" row=${BRIGHTLARK_ROW:-fresh install by autorun}
rm -rf "$shots" && mkdir -p "$shots"
echo "No display: playing \"$row\" in a virtual display"
# The virtual display keeps its screen in a file there (-fbdir). The command
# ends with the row's own result.
status=0
BRIGHTLARK_PAUSE=400 xvfb-run -a -s "-screen 0 1024x768x24 -fbdir $shots" tools/screenshots.sh "$shots" \
    tools/wine-run.sh "$tree" "$loader" "$tree/tests/wine/test_e2e.exe" "$tree" "$row" || status=$?
rm -f "$shots/Xvfb_screen0"
echo "Screenshots: $shots"
exit $status
