#!/bin/bash
# Times the install pass against LZ32 alone: builds the set-up with a
# product-sized payload (five PE files from Debian's Wine packages under the
# product's names, 3.6 MB in all) in a tree of its own, plays it under Wine
# in a virtual display, and prints the medians of several runs, the spread
# and the ratio. The aim is at most 1.3 times LZ32; the fixed costs around
# the files (until the progress window shows, and after the last file) are
# reported apart. Installs what it needs first. Not a test.
#
# Environment: RUNS (default 5), BRIGHTLARK_BUILD (default build), MACHINE
# (win32 or win64; by default win32 where this machine can start 32-bit
# programs, else win64).
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/deps.sh

runs=${RUNS:-5}
build=${BRIGHTLARK_BUILD:-build}
machine=${MACHINE:-}
if [ -z "$machine" ]; then
    # A kernel without IA-32 emulation cannot start 32-bit programs.
    mkdir -p "$build/bench-win32"
    if tools/runs-32bit.sh "$build/bench-win32"; then machine=win32; else machine=win64; fi
fi
case $machine in
win32) toolchain=cmake/mingw-i686.cmake loader=/usr/bin/wine ;;
win64) toolchain=cmake/mingw-x86_64.cmake loader=/usr/lib/wine/wine64 ;;
*) echo "bench: MACHINE is win32 or win64" >&2; exit 2 ;;
esac
tree="$build/bench-$machine"
mkdir -p "$tree/product"
tree=$(cd "$tree" && pwd)

# The stand-in product: each of the five names gets a Wine program or
# library of about its part's size. Copied with their dates, so a second
# run compresses nothing again.
echo "== payload ($tree/product)"
wine_dlls=/usr/lib/i386-linux-gnu/wine/i386-windows
while read -r name source; do
    cp -p "$wine_dlls/$source" "$tree/product/$name"
    printf "  %-16s %-14s %9d bytes\n" "$name" "$source" "$(stat -c %s "$tree/product/$name")"
done <<'EOF'
Brightlark.exe wordpad.exe
Brightlark.chm hhctrl.ocx
cdrdr32.dll mcicda.dll
trkpl32.dll l3codeca.acm
sfxpack1.exe cabarc.exe
EOF
printf "  %-31s %9d bytes\n" "in all" "$(cat "$tree"/product/* | wc -c)"

echo "== building the set-up with that payload ($machine)"
cmake --no-warn-unused-cli -S . -B "$tree" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DBRIGHTLARK_PRODUCT_DIR="$tree/product" -DBRIGHTLARK_BENCH=ON >/dev/null
cmake --build "$tree" -j "$(nproc)" --target setup bench_install_pass sample_standin_exe >/dev/null
printf "  setup.exe %d bytes, compressed payload %d bytes\n" "$(stat -c %s "$tree/setup.exe")" \
    "$(cat "$tree"/payload/*_ | wc -c)"

# Without a window manager in the virtual display, Wine must not wait for
# one to show or hide a window. The first program also makes the prefix.
echo "== Wine prefix ($tree/wine; a minute the first time)"
tools/wine-run.sh "$tree" "$loader" reg add 'HKCU\Software\Wine\X11 Driver' \
    /v Managed /t REG_SZ /d N /f >/dev/null

echo "== $runs runs after a warm-up; load average before: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
# Wine's desktop process outlives the driver; its complaint when the virtual
# display goes is no news.
xvfb-run -a -s "-screen 0 1024x768x24" \
    tools/wine-run.sh "$tree" "$loader" "$tree/bench/bench_install_pass.exe" "$tree" "$tree/product" "$runs" \
    2> >(grep -v '^X connection to .* broken' >&2)
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
