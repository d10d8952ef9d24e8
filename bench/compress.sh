#!/bin/bash
# Compares szddpack with Debian's mscompress on a fixed set of Windows files:
# packed size (ours must be the smaller on every file) and the median wall
# time of several runs each. Both packed forms must expand back exactly with
# msexpand. Installs what it needs first.
#
# Environment: SZDDPACK to time an existing szddpack instead of building one,
# RUNS (default 5), BRIGHTLARK_BUILD (default build).
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/deps.sh

runs=${RUNS:-5}
build=${BRIGHTLARK_BUILD:-build}
work="$build/bench-compress"
wine_dlls=/usr/lib/i386-linux-gnu/wine/i386-windows
corpus=(
    "$wine_dlls/winecfg.exe"
    "$wine_dlls/lz32.dll"
    "$wine_dlls/cryptdlg.dll"
    "$wine_dlls/d3dcompiler_33.dll"
    /usr/share/doc/valgrind/valgrind_manual.pdf.gz
)

szddpack=${SZDDPACK:-}
if [ -z "$szddpack" ]; then
    cmake -S tools -B "$build/bench-tools" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build/bench-tools" >/dev/null
    szddpack="$build/bench-tools/szdd/szddpack"
fi

# mscompress always writes NAME_ beside NAME and refuses to overwrite it, so
# each tool works on copies in a folder of its own.
rm -rf "$work"
mkdir -p "$work/original" "$work/ours" "$work/mscompress"
for f in "${corpus[@]}"; do
    [ -r "$f" ] || { echo "bench: $f missing" >&2; exit 1; }
    cp "$f" "$work/original/"
done

# Median wall time, in milliseconds, of $runs runs of a command; $1 is a
# command to run before each timed run (to clear the previous output).
median_ms() {
    local prepare=$1 start end
    shift
    for _ in $(seq "$runs"); do
        $prepare
        start=$(date +%s%N)
        "$@" >/dev/null
        end=$(date +%s%N)
        echo $((end - start))
    done | sort -n | awk '{t[NR] = $1} END {printf "%.1f", t[int((NR + 1) / 2)] / 1e6}'
}

expands_back() {
    msexpand <"$1" | cmp -s - "$2" || { echo "bench: $1 does not expand back to $2" >&2; exit 1; }
}

format="%-24s %11s %11s %11s %10s %14s\n"
printf "$format" file original ours mscompress "ours ms" "mscompress ms"
worse=0
for f in "${corpus[@]}"; do
    name=$(basename "$f")
    original="$work/original/$name"
    ours="$work/ours/${name}_"
    theirs="$work/mscompress/$name"
    cp "$original" "$theirs"

    our_ms=$(median_ms true "$szddpack" "$original" "$ours")
    their_ms=$(median_ms "rm -f ${theirs}_" mscompress "$theirs")
    expands_back "$ours" "$original"
    expands_back "${theirs}_" "$original"

    our_bytes=$(stat -c %s "$ours")
    their_bytes=$(stat -c %s "${theirs}_")
    printf "$format" "$name" "$(stat -c %s "$original")" "$our_bytes" "$their_bytes" "$our_ms" "$their_ms"
    [ "$our_bytes" -lt "$their_bytes" ] || worse=1
done

if [ "$worse" = 1 ]; then
    echo "bench: szddpack's output is not smaller than mscompress's on every file" >&2
    exit 1
fi
